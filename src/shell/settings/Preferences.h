// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "core/SearchSettings.h"
#include "core/strings/StringTable.h"
#include "shell/settings/KvelSettings.h"

#include <QObject>
#include <QPoint>
#include <QStringList>
#include <array>

namespace kvel {

// The user's on/off choices, in the order of the menu's items.
enum class Preference
{
    AdjustKeyboard,
    AutoStart,
    ToTray,
    SmartClipboard,
    ClipboardWatchingOff,
    BrowserItem,
    SensitiveTranslation,
    ShowTips,
    LockedTranslation,
    SaveRecent,
    WrapTranslation,
    SavePosition,
    Speech,
    Tolerant,
    Forms,
    Fade,
    HotKeyOn,
    DesktopNoticeShown, // told once what this desktop keeps Kvel from doing
};
inline constexpr int kPreferenceCount = int(Preference::DesktopNoticeShown) + 1;

// The fade-in speed of the translation window.
enum class FadeSpeed
{
    Slow = 0,
    Medium = 1,
    Fast = 2
};

// The hot key: Alt with one of these.
enum class HotKey
{
    F9 = 0,
    F10 = 1,
    F11 = 2,
    F12 = 3
};

// What the user chose, typed: flags and enumerations, the bar's position and
// the three recent-phrase lists. The settings file's integers are met only
// when the file is read (every value clamped) and written. A fresh object
// holds the defaults of a fresh installation.
class Preferences : public QObject
{
    Q_OBJECT
public:
    explicit Preferences(QObject* parent = nullptr);

    // Takes over everything the file held; no `changed` for it.
    void load(const KvelSettings& stored);
    // Everything as the file holds it.
    KvelSettings stored() const;

    const bool& flag(Preference preference) const { return m_flags[size_t(preference)]; }
    void setFlag(Preference preference, bool on);

    InterfaceLanguage interfaceLanguage() const { return m_interfaceLanguage; }
    void setInterfaceLanguage(InterfaceLanguage language) { m_interfaceLanguage = language; }
    const SearchLanguage& searchLanguage() const { return m_searchLanguage; }
    void setSearchLanguage(SearchLanguage language) { m_searchLanguage = language; }
    FindMethod findMethod() const { return m_findMethod; }
    void setFindMethod(FindMethod method) { m_findMethod = method; }
    HotKey hotKey() const { return m_hotKey; }
    void setHotKey(HotKey key);
    FadeSpeed fadeSpeed() const { return m_fadeSpeed; }
    void setFadeSpeed(FadeSpeed speed) { m_fadeSpeed = speed; }

    // The stored position (kept on the screen when it was read).
    QPoint position() const { return m_position; }

    // The recent list that phrases looked up in this search language go to.
    QStringList& recentList(SearchLanguage language);
    const QStringList& recentList(SearchLanguage language) const;

signals:
    // A flag or the hot key changed; the bar re-applies what depends on it.
    void changed(kvel::Preference preference);
    void hotKeyChanged();

private:
    std::array<bool, kPreferenceCount> m_flags{};
    InterfaceLanguage m_interfaceLanguage = InterfaceLanguage::Serbian;
    SearchLanguage m_searchLanguage = SearchLanguage::Both;
    FindMethod m_findMethod = FindMethod::Begins;
    HotKey m_hotKey = HotKey::F12;
    FadeSpeed m_fadeSpeed = FadeSpeed::Medium;
    QPoint m_position;
    std::array<QStringList, 3> m_recent; // by SearchLanguage
};

} // namespace kvel
