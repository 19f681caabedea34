// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "shell/settings/Preferences.h"

#include <QPoint>
#include <QRect>
#include <QString>

namespace kvel {

// The bar's settings file. One that exists but cannot be read is never
// replaced: the bar runs on defaults and saves nothing.
class BarSettingsFile
{
public:
    explicit BarSettingsFile(QString path) : m_path(std::move(path)) {}

    const QString& path() const { return m_path; }
    bool readable() const { return m_readable; }

    // Loads the preferences, the position kept on `screen`; an unreadable
    // file leaves the defaults and says so on standard error.
    void load(Preferences& preferences, const QRect& screen);
    // Saves atomically, saying on standard error when it could not.
    void save(const Preferences& preferences, QPoint barPos) const;

private:
    QString m_path;
    bool m_readable = true;
};

} // namespace kvel
