// SPDX-License-Identifier: GPL-2.0-or-later
#include "lookup/store/DictionaryChecks.h"

#include "core/content/ContentMarkup.h"
#include "core/strings/StringTable.h"
#include "lookup/store/DictionaryStore.h"

#include <QFileInfo>
#include <QLocale>
#include <sqlite3.h>

namespace kvel {

namespace {

std::optional<float> parseVersion(const QString& text)
{
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const float value = c.toFloat(text, &ok);
    return ok ? std::optional<float>(value) : std::nullopt;
}

BalloonContent notice(ContentKind kind, StringId captionId, const QStringList& texts)
{
    return textContent(kind, ImageId::Error, LoadLngText(captionId), texts);
}

} // namespace

float ReadAdoVersion()
{
    const int number = sqlite3_libversion_number(); // 3040001 for 3.40.1
    const int major = number / 1000000;
    const int minor = number / 1000 % 1000;
    return parseVersion(QStringLiteral("%1.%2").arg(major).arg(minor)).value_or(0.0f);
}

bool AdoVersionOk(float version)
{
    const std::optional<float> needed = parseVersion(LoadText(StringId::DataAccessVersionNeeded));
    return needed && version >= *needed;
}

bool DictionaryVersionOk(const QString& version)
{
    const std::optional<float> min = parseVersion(LoadText(StringId::DictionaryVersionOldest));
    const std::optional<float> max = parseVersion(LoadText(StringId::DictionaryVersionNewest));
    const std::optional<float> value = parseVersion(version);
    return min && max && value && *min <= *value && *value <= *max;
}

bool DictionaryFileExists(const QString& path)
{
    // Whatever is there counts: something that is not a regular file is
    // refused when it is read, with the dictionary-version notice.
    return QFileInfo::exists(path);
}

DictionaryChecks runDictionaryChecks(const QString& path, DictionaryStore& store)
{
    DictionaryChecks checks;
    checks.dataAccessOk = AdoVersionOk(ReadAdoVersion());
    if (!checks.dataAccessOk)
        return checks;
    checks.dictionaryFound = DictionaryFileExists(path);
    if (!checks.dictionaryFound)
        return checks;
    checks.versionOk = DictionaryVersionOk(store.readVersion());
    return checks;
}

std::optional<BalloonContent> dictionaryNotice(const DictionaryChecks& checks)
{
    if (!checks.dataAccessOk)
        return notice(ContentKind::DataAccessNotice, StringId::DataAccessVersionInvalid,
                      {LoadLngText(StringId::DataAccessVersionTooOld)});
    if (!checks.dictionaryFound)
        return notice(ContentKind::MissingDictionaryNotice, StringId::DictionaryNotFound,
                      {LoadLngText(StringId::DictionaryFileMissing)});
    if (!checks.versionOk) {
        const QString range = LoadLngText(StringId::DictionaryVersionRange) + QStringLiteral(" v") +
                              LoadText(StringId::DictionaryVersionOldest) + QStringLiteral(" - v") +
                              LoadText(StringId::DictionaryVersionNewest);
        return notice(ContentKind::DictionaryVersionNotice, StringId::DictionaryVersionInvalid,
                      {LoadLngText(StringId::DictionaryVersionProgramLine), range});
    }
    return std::nullopt;
}

} // namespace kvel
