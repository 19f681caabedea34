// SPDX-License-Identifier: GPL-2.0-or-later
#include "phrasebar/BarSettingsFile.h"

#include "core/strings/StringTable.h"

#include <cstdio>

using namespace Qt::StringLiterals;

namespace kvel {

namespace {

void reportToTerminal(const QString& line)
{
    std::fprintf(stderr, "kvel: %s\n", line.toLocal8Bit().constData());
}

} // namespace

void BarSettingsFile::load(Preferences& preferences, const QRect& screen)
{
    const std::optional<KvelSettings> loaded = LoadSettings(m_path, screen);
    preferences.load(loaded.value_or(KvelSettings()));
    m_readable = loaded.has_value();
    if (!m_readable)
        reportToTerminal(LoadLngText(StringId::SettingsUnreadable, InterfaceLanguage::English) +
                         u' ' + m_path);
}

void BarSettingsFile::save(const Preferences& preferences, QPoint barPos) const
{
    if (!m_readable)
        return;
    KvelSettings stored = preferences.stored();
    switch (SaveSettings(m_path, stored, barPos)) {
    case IniUpdate::Written:
        break;
    case IniUpdate::LockBusy:
        reportToTerminal(u"settings not saved: another Kvel kept "_s + m_path + u".lock locked"_s);
        break;
    case IniUpdate::Failed:
        reportToTerminal(u"settings could not be saved to "_s + m_path);
        break;
    }
}

} // namespace kvel
