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
// that the user's own autostart folder is never touched.
class TemporaryHome
{
public:
    TemporaryHome() : m_oldHome(qgetenv("HOME")), m_oldConfig(qgetenv("XDG_CONFIG_HOME"))
    {
        m_hadConfig = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
        qputenv("HOME", m_dir.path().toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", config().toLocal8Bit());
    }
    ~TemporaryHome()
    {
        qputenv("HOME", m_oldHome);
        if (m_hadConfig)
            qputenv("XDG_CONFIG_HOME", m_oldConfig);
        else
            qunsetenv("XDG_CONFIG_HOME");
    }
    TemporaryHome(const TemporaryHome&) = delete;
    TemporaryHome& operator=(const TemporaryHome&) = delete;

    QString config() const { return m_dir.filePath(QStringLiteral("config")); }
    QString autostart() const { return config() + QStringLiteral("/autostart"); }
    QString entry() const { return autostart() + QStringLiteral("/kvel.desktop"); }

private:
    QTemporaryDir m_dir;
    QByteArray m_oldHome;
    QByteArray m_oldConfig;
    bool m_hadConfig = false;
};

} // namespace kvel::test
