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

// Section and key names are language-neutral entries of the string table.
enum NameId
{
    kInterface = 30735,
    kSelected = 30736,
    kFind = 30737,
    kPreferences = 30738,
    kWindow = 30739,
    kRecent = 30740,
    kLanguage = 30750,
    kKeyboard = 30751,
    kMask = 30752,
    kClipboard = 30753,
    kFast = 30754,
    kIE = 30755,
    kSensitive = 30756,
    kLocked = 30757,
    kTips = 30758,
    kSaveRecent = 30759,
    kWrap = 30760,
    kTray = 30761,
    kAutoStart = 30762,
    kSavePosition = 30763,
    kHook = 30764,
    kSpeech = 30765,
    kKey = 30766,
    kLeft = 30767,
    kTop = 30768,
    kBthCount = 30769,
    kEngCount = 30770,
    kSerCount = 30771,
    kBth = 30772,
    kEng = 30773,
    kSer = 30774,
    kAlphaBlend = 30775,
    kABSpeed = 30776,
    kDesktopNotice = 31112,
    kTolerant = 31113,
    kForms = 31118,
};

// A flag is an enumeration whose highest value is 1.
struct ChoiceKey
{
    NameId section;
    NameId key;
    int KvelSettings::*member;
    int highest;
};

// The file's key table up to the position, in the order keys are read and written.
constexpr std::array kChoiceKeys{
    ChoiceKey{kInterface, kLanguage, &KvelSettings::FInterfaceLang, 1},
    ChoiceKey{kInterface, kKeyboard, &KvelSettings::FAdjustKeyboard, 1},
    ChoiceKey{kSelected, kLanguage, &KvelSettings::FSearchLang, 2},
    ChoiceKey{kFind, kMask, &KvelSettings::FFindMethod, 3},
    ChoiceKey{kPreferences, kClipboard, &KvelSettings::FSmartClipboard, 1},
    ChoiceKey{kPreferences, kFast, &KvelSettings::FFastClipboardOff, 1},
    ChoiceKey{kPreferences, kIE, &KvelSettings::FIEMenu, 1},
    ChoiceKey{kPreferences, kSensitive, &KvelSettings::FSensitive, 1},
    ChoiceKey{kPreferences, kLocked, &KvelSettings::FLocked, 1},
    ChoiceKey{kPreferences, kTips, &KvelSettings::FShowTips, 1},
    ChoiceKey{kPreferences, kSaveRecent, &KvelSettings::FSaveRecent, 1},
    ChoiceKey{kPreferences, kWrap, &KvelSettings::FWrap, 1},
    ChoiceKey{kPreferences, kTray, &KvelSettings::FToTray, 1},
    ChoiceKey{kPreferences, kAutoStart, &KvelSettings::FAutoStart, 1},
    ChoiceKey{kPreferences, kSavePosition, &KvelSettings::FSavePosition, 1},
    ChoiceKey{kPreferences, kKey, &KvelSettings::FHotKey, 3},
    ChoiceKey{kPreferences, kHook, &KvelSettings::FHookOn, 1},
    ChoiceKey{kPreferences, kSpeech, &KvelSettings::FSpeech, 1},
    ChoiceKey{kPreferences, kABSpeed, &KvelSettings::FABSpeed, 2},
    ChoiceKey{kPreferences, kAlphaBlend, &KvelSettings::FAlphaBlendOn, 1},
    ChoiceKey{kPreferences, kTolerant, &KvelSettings::FTolerant, 1},
    ChoiceKey{kPreferences, kForms, &KvelSettings::FForms, 1},
    ChoiceKey{kPreferences, kDesktopNotice, &KvelSettings::FDesktopNoticeShown, 1},
};

struct RecentKeys
{
    NameId count;
    NameId entry;
    int KvelSettings::*countMember;
    QStringList KvelSettings::*list;
};

constexpr std::array kRecentKeys{
    RecentKeys{kBthCount, kBth, &KvelSettings::FBthCount, &KvelSettings::FRecentBoth},
    RecentKeys{kEngCount, kEng, &KvelSettings::FEngCount, &KvelSettings::FRecentEng},
    RecentKeys{kSerCount, kSer, &KvelSettings::FSerCount, &KvelSettings::FRecentSer},
};

// A count outside this range is damaged and empties its list.
constexpr int kMaxRecentCount = 10;

QString name(NameId id)
{
    return LoadText(id);
}

QString entryKey(NameId prefix, qsizetype index)
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
int readEdge(const IniDocument& ini, NameId key, int screenStart, int screenLength, int barLength)
{
    const std::optional<int> stored = parseDecimal(ini.value(name(kWindow), name(key), u"0"_s));
    if (!stored)
        return 0;
    const int lowest = std::max(*stored, screenStart);
    return std::min(lowest, screenStart + screenLength - barLength);
}

int readCount(const IniDocument& ini, NameId key)
{
    const std::optional<int> count = parseDecimal(ini.value(name(kRecent), name(key), u"0"_s));
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

    settings.FBarLeft = readEdge(ini, kLeft, screen.x(), screen.width(), barSize.width());
    settings.FBarTop = readEdge(ini, kTop, screen.y(), screen.height(), barSize.height());

    for (const RecentKeys& keys : kRecentKeys)
        settings.*keys.countMember = readCount(ini, keys.count);
    for (const RecentKeys& keys : kRecentKeys) {
        for (int i = 0; i < settings.*keys.countMember; ++i) {
            const QString entry = trimControl(ini.value(name(kRecent), entryKey(keys.entry, i)));
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
    ini.setValue(name(kWindow), name(kLeft), QString::number(stored.x()));
    ini.setValue(name(kWindow), name(kTop), QString::number(stored.y()));

    for (const RecentKeys& keys : kRecentKeys) {
        settings.*keys.countMember = int((settings.*keys.list).size());
        ini.setValue(name(kRecent), name(keys.count), QString::number(settings.*keys.countMember));
    }
    for (const RecentKeys& keys : kRecentKeys) {
        const QStringList& list = settings.*keys.list;
        for (qsizetype i = 0; i < list.size(); ++i)
            ini.setValue(name(kRecent), entryKey(keys.entry, i),
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
    return !ini || ini->value(name(kWindow), name(kLeft)).isEmpty();
}

} // namespace kvel
