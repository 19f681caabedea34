// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "core/SearchSettings.h"
#include "shell/settings/IniDocument.h"
#include "shell/settings/IniFile.h"

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QStringList>
#include <optional>

namespace kvel {

// The phrase bar's design size; the stored position is clamped with it.
inline constexpr QSize kBarDesignSize(153, 20);

// Every preference, the bar's position and the three recent-phrase lists as
// the settings file holds them. A default-constructed object is a fresh
// installation: the value of each member below is its default in the file.
struct KvelSettings
{
    int FInterfaceLang = 0; // 0 Serbian, 1 English
    int FSearchLang = 0;    // SearchLanguage
    int FAdjustKeyboard = 1;
    int FFindMethod = 0; // FindMethod
    int FBarLeft = 0;
    int FBarTop = 0;
    int FSmartClipboard = 1;
    int FFastClipboardOff = 1; // 1 = clipboard watching off
    int FIEMenu = 1;
    int FSensitive = 1;
    int FLocked = 1;
    int FShowTips = 1;
    int FSaveRecent = 1;
    int FWrap = 1;
    int FToTray = 1;
    int FAutoStart = 1;
    int FSavePosition = 1;
    int FHookOn = 1;
    int FSpeech = 1;
    int FHotKey = 3; // Alt+F9 + FHotKey
    int FAlphaBlendOn = 0;
    int FABSpeed = 1;            // 0 slow, 1 medium, 2 fast
    int FTolerant = 0;           // 1 = find headwords also without marks and from Cyrillic
    int FForms = 0;              // 1 = find a word's dictionary forms too (houses: house)
    int FDesktopNoticeShown = 0; // 1 = told what this desktop keeps Kvel from doing
    int FBthCount = 0;
    int FEngCount = 0;
    int FSerCount = 0;

    QStringList FRecentBoth;
    QStringList FRecentEng;
    QStringList FRecentSer;

    // The recent list that phrases looked up in this search language go to.
    QStringList& recentList(SearchLanguage language);
};

// Reads every setting by the file's rules: flags are on only for the exact
// text "1", enumerations fall back to 0 for unknown values, the position is
// kept on the screen's available geometry (lower bound first), a bad recent
// count empties only its own list, and empty entries are skipped.
KvelSettings readSettings(const IniDocument& ini, const QRect& screen,
                          QSize barSize = kBarDesignSize);

// Writes every setting in the order of the file's key table, the bar's
// position (0/0 when FSavePosition is off), the list sizes as counts and the
// entries with A-Z lowered. Entries beyond a shorter list stay in the file,
// hidden by the count; other sections, "IE" included, stay untouched.
void writeSettings(IniDocument& ini, KvelSettings& settings, QPoint barPos);

// The settings of the file at path; defaults when it is missing, nothing when
// it exists but cannot be read, so that no caller takes defaults for the
// user's choices and writes them over the file.
std::optional<KvelSettings> LoadSettings(const QString& path, const QRect& screen,
                                         QSize barSize = kBarDesignSize);

// Saves atomically into the file at path, waiting at most kSaveLockWait for
// another instance's lock; anything but Written left the file as it was.
IniUpdate SaveSettings(const QString& path, KvelSettings& settings, QPoint barPos);

// True until a save has stored a bar position, and when the file cannot be read.
bool IsFirstRun(const QString& path);

} // namespace kvel
