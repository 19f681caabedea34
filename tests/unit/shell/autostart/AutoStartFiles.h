// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

namespace kvel::test {

inline QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Points HOME and XDG_CONFIG_HOME into a temporary folder for one test, so
// that the user's own autostart folder is never touched. Afterwards they point
// at an empty folder kept for the whole test program, never back at the user's.
class TemporaryHome
{
public:
    TemporaryHome() { pointAt(m_dir.path()); }
    ~TemporaryHome() { pointAt(programHome().path()); }
    TemporaryHome(const TemporaryHome&) = delete;
    TemporaryHome& operator=(const TemporaryHome&) = delete;

    QString config() const { return m_dir.filePath(QStringLiteral("config")); }
    QString autostart() const { return config() + QStringLiteral("/autostart"); }
    QString entry() const { return autostart() + QStringLiteral("/kvel.desktop"); }

private:
    static const QTemporaryDir& programHome()
    {
        static const QTemporaryDir home;
        return home;
    }
    static void pointAt(const QString& home)
    {
        qputenv("HOME", home.toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", (home + QStringLiteral("/config")).toLocal8Bit());
    }

    QTemporaryDir m_dir;
};

} // namespace kvel::test
