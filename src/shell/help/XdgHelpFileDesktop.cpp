// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/help/XdgHelpFileDesktop.h"

#include "shell/help/DesktopEntryExec.h"

#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace kvel {

namespace {

// xdg-mime is a shell script that may consult the desktop; never let it hang the bar.
constexpr int XdgMimeTimeoutMs = 5000;

QString queryDefaultDesktopId(const QString& mimeType)
{
    QProcess process;
    process.start(u"xdg-mime"_s, {u"query"_s, u"default"_s, mimeType});
    if (!process.waitForFinished(XdgMimeTimeoutMs)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput()).section(u';', 0, 0).trimmed();
}

// A desktop id names a file under an applications folder, where "-" may stand
// for a subfolder ("kde4-okular.desktop" is kde4/okular.desktop).
QString locateDesktopEntry(QString desktopId)
{
    for (;;) {
        const QString path =
            QStandardPaths::locate(QStandardPaths::ApplicationsLocation, desktopId);
        if (!path.isEmpty())
            return path;
        const qsizetype dash = desktopId.indexOf(u'-');
        if (dash < 0)
            return {};
        desktopId[dash] = u'/';
    }
}

} // namespace

bool XdgHelpFileDesktop::fileExists(const QString& path)
{
    return QFileInfo(path).isFile();
}

QString XdgHelpFileDesktop::defaultViewer(const QString& path)
{
    const QMimeType type = QMimeDatabase().mimeTypeForFile(path, QMimeDatabase::MatchExtension);
    if (!type.isValid())
        return {};
    // mimeapps.list may name the type by any of its aliases (application/x-chm).
    for (const QString& name : QStringList{type.name()} + type.aliases()) {
        const QString desktopId = queryDefaultDesktopId(name);
        if (desktopId.isEmpty())
            continue;
        if (const QString entry = locateDesktopEntry(desktopId); !entry.isEmpty())
            return entry;
    }
    return {};
}

bool XdgHelpFileDesktop::openWith(const QString& desktopEntry, const QString& path)
{
    QFile file(desktopEntry);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QString exec = desktopEntryExec(QString::fromUtf8(file.readAll()));
    const QStringList command = execCommand(exec, path, desktopEntry);
    if (command.isEmpty())
        return false;
    return QProcess::startDetached(command.first(), command.mid(1));
}

bool XdgHelpFileDesktop::openInBrowser(const QString& htmlPath)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(htmlPath));
}

} // namespace kvel
