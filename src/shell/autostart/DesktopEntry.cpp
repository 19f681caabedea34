// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/autostart/DesktopEntry.h"

using namespace Qt::StringLiterals;

namespace kvel {

QString desktopEntryString(const QString& value)
{
    QString escaped;
    escaped.reserve(value.size());
    for (const QChar c : value) {
        switch (c.unicode()) {
        case '\\':
            escaped += u"\\\\"_s;
            break;
        case '\n':
            escaped += u"\\n"_s;
            break;
        case '\t':
            escaped += u"\\t"_s;
            break;
        case '\r':
            escaped += u"\\r"_s;
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

QString desktopEntryExecArgument(const QString& argument)
{
    QString quoted = u"\""_s;
    for (const QChar c : argument) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            quoted += u'\\';
        else if (c == u'%')
            quoted += u'%';
        quoted += c;
    }
    quoted += u'"';
    return desktopEntryString(quoted);
}

QByteArray autoStartEntry(const QString& name, const QString& executablePath)
{
    return (u"[Desktop Entry]\n"
            "Type=Application\n"
            "Name="_s +
            desktopEntryString(name) + u"\nExec="_s + desktopEntryExecArgument(executablePath) +
            u"\nTerminal=false\n"_s)
        .toUtf8();
}

} // namespace kvel
