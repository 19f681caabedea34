// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/settings/HandOver.h"

#include "shell/settings/IniFile.h"

using namespace Qt::StringLiterals;

namespace kvel {

namespace {

const QString kSection = u"IE"_s;
const QString kCountKey = u"ParamCount"_s;
const QString kTextKey = u"ParamStr"_s;

constexpr qsizetype kMaxHandOverLength = 255;

// Counts characters, not UTF-16 units, so a cut never splits a surrogate pair.
QString firstCharacters(const QString& text, qsizetype count)
{
    qsizetype units = 0;
    for (qsizetype taken = 0; taken < count && units < text.size(); ++taken)
        units += text[units].isHighSurrogate() && units + 1 < text.size() ? 2 : 1;
    return text.left(units);
}

} // namespace

QString handOverText(const QStringList& words)
{
    // Each word is followed by a blank; a cut may keep the last one, otherwise
    // it goes.
    QString text;
    for (const QString& word : words)
        text += word + u' ';
    const QString cut = firstCharacters(text, kMaxHandOverLength);
    if (cut.size() < text.size())
        return cut;
    text.chop(1);
    return text;
}

bool writeHandOver(const QString& path, const QStringList& words)
{
    return updateIniFile(path, [&](IniDocument& ini) {
               ini.setValue(kSection, kCountKey, QString::number(words.size()));
               ini.setValue(kSection, kTextKey, handOverText(words));
           }) == IniUpdate::Written;
}

HandOver readHandOver(const QString& path)
{
    const std::optional<IniDocument> ini = readIniFile(path);
    if (!ini)
        return {};
    return {parseDecimal(ini->value(kSection, kCountKey, u"0"_s)).value_or(0),
            ini->value(kSection, kTextKey)};
}

} // namespace kvel
