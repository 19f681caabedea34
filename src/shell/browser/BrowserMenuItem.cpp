// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/browser/BrowserMenuItem.h"

#include <QFile>

using namespace Qt::StringLiterals;

namespace kvel {

namespace {

// A record is one short word; anything longer is not one.
constexpr qint64 kRecordLimit = 64;

} // namespace

BrowserMenuItem activeBrowserMenuItem(int ieMenu, int interfaceLanguage)
{
    if (ieMenu != 1)
        return BrowserMenuItem::None;
    return interfaceLanguage == 0 ? BrowserMenuItem::Serbian : BrowserMenuItem::English;
}

QString browserMenuCaption(BrowserMenuItem item)
{
    switch (item) {
    case BrowserMenuItem::Serbian:
        return u"Prevedi sa Kvel recnikom"_s;
    case BrowserMenuItem::English:
        return u"Translate with Kvel dictionary"_s;
    case BrowserMenuItem::None:
        break;
    }
    return {};
}

QString browserMenuItemName(BrowserMenuItem item)
{
    switch (item) {
    case BrowserMenuItem::Serbian:
        return u"sr"_s;
    case BrowserMenuItem::English:
        return u"en"_s;
    case BrowserMenuItem::None:
        break;
    }
    return u"none"_s;
}

BrowserMenuItem browserMenuItemFromName(const QString& name)
{
    if (name == u"sr")
        return BrowserMenuItem::Serbian;
    if (name == u"en")
        return BrowserMenuItem::English;
    return BrowserMenuItem::None;
}

QString browserMenuRecordPath(const QString& configHome)
{
    return configHome + u"/kvel/browser-menu"_s;
}

BrowserMenuItem readBrowserMenuItem(const QString& configHome)
{
    QFile file(browserMenuRecordPath(configHome));
    if (!file.open(QIODevice::ReadOnly))
        return BrowserMenuItem::None;
    return browserMenuItemFromName(QString::fromUtf8(file.read(kRecordLimit)).trimmed());
}

} // namespace kvel
