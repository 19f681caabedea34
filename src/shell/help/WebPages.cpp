// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/help/WebPages.h"

#include "core/strings/StringTable.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace kvel {

namespace {

StringId pathId(WebPage page)
{
    switch (page) {
    case WebPage::Home:
        return StringId::DocHomePage;
    case WebPage::WhatsNew:
        return StringId::DocWhatsNew;
    case WebPage::ThisProject:
        return StringId::DocProjectPage;
    case WebPage::TechnicalSupport:
        return StringId::DocSupportPage;
    }
    return StringId::DocHomePage;
}

} // namespace

QString documentationDir(const QString& executableDir)
{
    const QDir exe(executableDir);
    const QString beside = QDir::cleanPath(exe.filePath(u"doc"_s));
    const QString installed = QDir::cleanPath(exe.filePath(u"../share/doc/kvel"_s));
    for (const QString& dir : {beside, installed}) {
        if (QFileInfo(dir).isDir())
            return dir;
    }
    return beside;
}

QUrl webPageUrl(WebPage page, const QString& docDir)
{
    const QString relativePath = LoadLngText(pathId(page));
    if (relativePath.isEmpty())
        return {};
    return QUrl::fromLocalFile(QDir(docDir).filePath(relativePath));
}

} // namespace kvel
