// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/settings/KvelSettings.h"

#include "core/strings/StringTable.h"
#include "core/text/PhraseNormalizer.h"
#include "shell/settings/IniFile.h"

#include <algorithm>
#include <array>

using namespace Qt::StringLiterals;

namespace kvel {

namespace {

// A flag is an enumeration whose highest value is 1.
struct ChoiceKey
{
    StringId section;
    StringId key;
    int KvelSettings::*member;
    int highest;
};

// The file's key table up to the position, in the order keys are read and written.
constexpr std::array kChoiceKeys{
    ChoiceKey{StringId::IniInterface, StringId::IniLanguage, &KvelSettings::FInterfaceLang, 1},
    ChoiceKey{StringId::IniInterface, StringId::IniKeyboard, &KvelSettings::FAdjustKeyboard, 1},
    ChoiceKey{StringId::IniSelected, StringId::IniLanguage, &KvelSettings::FSearchLang, 2},
    ChoiceKey{StringId::IniFind, StringId::IniMask, &KvelSettings::FFindMethod, 3},
    ChoiceKey{StringId::IniPreferences, StringId::IniClipboard, &KvelSettings::FSmartClipboard, 1},
    ChoiceKey{StringId::IniPreferences, StringId::IniFast, &KvelSettings::FFastClipboardOff, 1},
    ChoiceKey{StringId::IniPreferences, StringId::IniIE, &KvelSettings::FIEMenu, 1},
    ChoiceKey{StringId::IniPreferences, StringId::IniSensitive, &KvelSettings::FSensitive, 1},
    ChoiceKey{StringId::IniPreferences, StringId::IniLocked, &KvelSettings::FLocked, 1},
    ChoiceKey{StringId::IniPreferences, StringId::IniTips, &KvelSettings::FShowTips, 1},
    ChoiceKey{StringId::IniPreferences, StringId::IniSaveRecent, &KvelSettings::FSaveRecent, 1},
    ChoiceKey{StringId::IniPreferences, StringId::IniWrap, &KvelSettings::FWrap, 1},
    ChoiceKey{StringId::IniPreferences, StringId::IniTray, &KvelSettings::FToTray, 1},
    ChoiceKey{StringId::IniPreferences, StringId::IniAutoStart, &KvelSettings::FAutoStart, 1},
    ChoiceKey{StringId::IniPreferences, StringId::IniSavePosition, &KvelSettings::FSavePosition, 1},
    ChoiceKey{StringId::IniPreferences, StringId::IniKey, &KvelSettings::FHotKey, 3},
    ChoiceKey{StringId::IniPreferences, StringId::IniHook, &KvelSettings::FHookOn, 1},
    ChoiceKey{StringId::IniPreferences, StringId::IniSpeech, &KvelSettings::FSpeech, 1},
    ChoiceKey{StringId::IniPreferences, StringId::IniABSpeed, &KvelSettings::FABSpeed, 2},
    ChoiceKey{StringId::IniPreferences, StringId::IniAlphaBlend, &KvelSettings::FAlphaBlendOn, 1},
    ChoiceKey{StringId::IniPreferences, StringId::IniTolerant, &KvelSettings::FTolerant, 1},
    ChoiceKey{StringId::IniPreferences, StringId::IniForms, &KvelSettings::FForms, 1},
    ChoiceKey{StringId::IniPreferences, StringId::IniDesktopNotice,
              &KvelSettings::FDesktopNoticeShown, 1},
};

struct RecentKeys
{
    StringId count;
    StringId entry;
    int KvelSettings::*countMember;
    QStringList KvelSettings::*list;
};

constexpr std::array kRecentKeys{
    RecentKeys{StringId::IniBthCount, StringId::IniBth, &KvelSettings::FBthCount,
               &KvelSettings::FRecentBoth},
    RecentKeys{StringId::IniEngCount, StringId::IniEng, &KvelSettings::FEngCount,
               &KvelSettings::FRecentEng},
    RecentKeys{StringId::IniSerCount, StringId::IniSer, &KvelSettings::FSerCount,
               &KvelSettings::FRecentSer},
};

// A count outside this range is damaged and empties its list.
constexpr int kMaxRecentCount = 10;

// Section and key names are language-neutral entries of the string table.
QString name(StringId id)
{
    return LoadText(id);
}

QString entryKey(StringId prefix, qsizetype index)
{
    return name(prefix) + QString::number(index + 1);
}

// The exact text of each value counts, highest first; anything else is 0.
int readChoice(const IniDocument& ini, const ChoiceKey& key, int defaultValue)
{
    const QString text = ini.value(name(key.section), name(key.key), QString::number(defaultValue));
    for (int value = key.highest; value > 0; --value) {
        if (text == QString::number(value))
            return value;
    }
    return 0;
}

// Unreadable text puts the edge at 0 unclamped; a number is kept on the screen.
int readEdge(const IniDocument& ini, StringId key, int screenStart, int screenLength, int barLength)
{
    const std::optional<int> stored =
        parseDecimal(ini.value(name(StringId::IniWindow), name(key), u"0"_s));
    if (!stored)
        return 0;
    const int lowest = std::max(*stored, screenStart);
    return std::min(lowest, screenStart + screenLength - barLength);
}

int readCount(const IniDocument& ini, StringId key)
{
    const std::optional<int> count =
        parseDecimal(ini.value(name(StringId::IniRecent), name(key), u"0"_s));
    return count && *count >= 0 && *count <= kMaxRecentCount ? *count : 0;
}

} // namespace

QStringList& KvelSettings::recentList(SearchLanguage language)
{
    switch (language) {
    case SearchLanguage::English:
        return FRecentEng;
    case SearchLanguage::Serbian:
        return FRecentSer;
    case SearchLanguage::Both:
        break;
    }
    return FRecentBoth;
}

KvelSettings readSettings(const IniDocument& ini, const QRect& screen, QSize barSize)
{
    KvelSettings settings;
    const KvelSettings defaults;
    for (const ChoiceKey& key : kChoiceKeys)
        settings.*key.member = readChoice(ini, key, defaults.*key.member);

    settings.FBarLeft =
        readEdge(ini, StringId::IniLeft, screen.x(), screen.width(), barSize.width());
    settings.FBarTop =
        readEdge(ini, StringId::IniTop, screen.y(), screen.height(), barSize.height());

    for (const RecentKeys& keys : kRecentKeys)
        settings.*keys.countMember = readCount(ini, keys.count);
    for (const RecentKeys& keys : kRecentKeys) {
        for (int i = 0; i < settings.*keys.countMember; ++i) {
            const QString entry =
                trimControl(ini.value(name(StringId::IniRecent), entryKey(keys.entry, i)));
            if (!entry.isEmpty())
                (settings.*keys.list) << entry;
        }
    }
    return settings;
}

void writeSettings(IniDocument& ini, KvelSettings& settings, QPoint barPos)
{
    for (const ChoiceKey& key : kChoiceKeys)
        ini.setValue(name(key.section), name(key.key), QString::number(settings.*key.member));

    const QPoint stored = settings.FSavePosition == 1 ? barPos : QPoint(0, 0);
    ini.setValue(name(StringId::IniWindow), name(StringId::IniLeft), QString::number(stored.x()));
    ini.setValue(name(StringId::IniWindow), name(StringId::IniTop), QString::number(stored.y()));

    for (const RecentKeys& keys : kRecentKeys) {
        settings.*keys.countMember = int((settings.*keys.list).size());
        ini.setValue(name(StringId::IniRecent), name(keys.count),
                     QString::number(settings.*keys.countMember));
    }
    for (const RecentKeys& keys : kRecentKeys) {
        const QStringList& list = settings.*keys.list;
        for (qsizetype i = 0; i < list.size(); ++i)
            ini.setValue(name(StringId::IniRecent), entryKey(keys.entry, i),
                         trimControl(lowerCaseAscii(list[i])));
    }
}

std::optional<KvelSettings> LoadSettings(const QString& path, const QRect& screen, QSize barSize)
{
    const std::optional<IniDocument> ini = readIniFile(path);
    if (!ini)
        return std::nullopt;
    return readSettings(*ini, screen, barSize);
}

IniUpdate SaveSettings(const QString& path, KvelSettings& settings, QPoint barPos)
{
    return updateIniFile(
        path, [&](IniDocument& ini) { writeSettings(ini, settings, barPos); }, kSaveLockWait);
}

bool IsFirstRun(const QString& path)
{
    const std::optional<IniDocument> ini = readIniFile(path);
    return !ini || ini->value(name(StringId::IniWindow), name(StringId::IniLeft)).isEmpty();
}

} // namespace kvel
