// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/settings/Preferences.h"

#include <algorithm>

namespace kvel {

namespace {

// Each flag's integer in the settings file.
constexpr std::array<int KvelSettings::*, kPreferenceCount> kStoredFlags{
    &KvelSettings::FAdjustKeyboard,
    &KvelSettings::FAutoStart,
    &KvelSettings::FToTray,
    &KvelSettings::FSmartClipboard,
    &KvelSettings::FFastClipboardOff,
    &KvelSettings::FIEMenu,
    &KvelSettings::FSensitive,
    &KvelSettings::FShowTips,
    &KvelSettings::FLocked,
    &KvelSettings::FSaveRecent,
    &KvelSettings::FWrap,
    &KvelSettings::FSavePosition,
    &KvelSettings::FSpeech,
    &KvelSettings::FTolerant,
    &KvelSettings::FForms,
    &KvelSettings::FAlphaBlendOn,
    &KvelSettings::FHookOn,
    &KvelSettings::FDesktopNoticeShown,
};

constexpr std::array<QStringList KvelSettings::*, 3> kStoredRecent{
    &KvelSettings::FRecentBoth, &KvelSettings::FRecentEng, &KvelSettings::FRecentSer};

// An enumeration's stored integer, out-of-range values taken as its first value.
template <typename Enum> Enum clamped(int stored, Enum highest)
{
    return stored >= 0 && stored <= int(highest) ? Enum(stored) : Enum(0);
}

} // namespace

Preferences::Preferences(QObject* parent) : QObject(parent)
{
    load(KvelSettings());
}

void Preferences::load(const KvelSettings& stored)
{
    for (size_t i = 0; i < kStoredFlags.size(); ++i)
        m_flags[i] = stored.*kStoredFlags[i] == 1;
    m_interfaceLanguage = clamped(stored.FInterfaceLang, InterfaceLanguage::English);
    m_searchLanguage = clamped(stored.FSearchLang, SearchLanguage::Serbian);
    m_findMethod = clamped(stored.FFindMethod, FindMethod::Whole);
    m_hotKey = clamped(stored.FHotKey, HotKey::F12);
    m_fadeSpeed = clamped(stored.FABSpeed, FadeSpeed::Fast);
    m_position = QPoint(stored.FBarLeft, stored.FBarTop);
    for (size_t i = 0; i < kStoredRecent.size(); ++i)
        m_recent[i] = stored.*kStoredRecent[i];
}

KvelSettings Preferences::stored() const
{
    KvelSettings stored;
    for (size_t i = 0; i < kStoredFlags.size(); ++i)
        stored.*kStoredFlags[i] = m_flags[i] ? 1 : 0;
    stored.FInterfaceLang = int(m_interfaceLanguage);
    stored.FSearchLang = int(m_searchLanguage);
    stored.FFindMethod = int(m_findMethod);
    stored.FHotKey = int(m_hotKey);
    stored.FABSpeed = int(m_fadeSpeed);
    stored.FBarLeft = m_position.x();
    stored.FBarTop = m_position.y();
    for (size_t i = 0; i < kStoredRecent.size(); ++i)
        stored.*kStoredRecent[i] = m_recent[i];
    stored.FBthCount = int(m_recent[0].size());
    stored.FEngCount = int(m_recent[1].size());
    stored.FSerCount = int(m_recent[2].size());
    return stored;
}

void Preferences::setFlag(Preference preference, bool on)
{
    bool& value = m_flags[size_t(preference)];
    if (value == on)
        return;
    value = on;
    emit changed(preference);
}

void Preferences::setHotKey(HotKey key)
{
    if (key == m_hotKey)
        return;
    m_hotKey = key;
    emit hotKeyChanged();
}

QStringList& Preferences::recentList(SearchLanguage language)
{
    return m_recent[size_t(language)];
}

const QStringList& Preferences::recentList(SearchLanguage language) const
{
    return m_recent[size_t(language)];
}

} // namespace kvel
