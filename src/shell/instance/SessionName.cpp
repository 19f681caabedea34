// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/instance/SessionName.h"

#include <QCryptographicHash>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace kvel {

namespace {

// A socket path has room for 107 bytes; the runtime folder takes some.
constexpr qsizetype kMaxDisplayPart = 48;
constexpr qsizetype kHashCharacters = 16;

// "[unix]:DISPLAY[.SCREEN]" and "HOST:DISPLAY[.SCREEN]" without the screen;
// "unix" is Xlib's name for the local server, as an empty host is.
QString x11ServerName(const QString& display)
{
    static const QRegularExpression screen(u"^(.*:[0-9]+)\\.[0-9]+$"_s);
    QString server = display;
    if (const QRegularExpressionMatch match = screen.match(server); match.hasMatch())
        server = match.captured(1);
    if (server.startsWith(u"unix:"_s))
        server.remove(0, 4);
    return server;
}

QString fileNamePart(const QString& display)
{
    static const QRegularExpression unusual(u"[^A-Za-z0-9._-]"_s);
    QString part = display;
    part.replace(unusual, u"_"_s);
    if (part.size() <= kMaxDisplayPart)
        return part;
    const QByteArray hash =
        QCryptographicHash::hash(display.toUtf8(), QCryptographicHash::Sha256).toHex();
    return part.left(kMaxDisplayPart - kHashCharacters - 1) + u'-' +
           QString::fromLatin1(hash.left(kHashCharacters));
}

} // namespace

QString sessionName(const QString& x11Display, const QString& waylandDisplay)
{
    const QString display = !x11Display.isEmpty() ? x11ServerName(x11Display) : waylandDisplay;
    return u"notkvel-"_s + (display.isEmpty() ? u"nodisplay"_s : fileNamePart(display));
}

} // namespace kvel
