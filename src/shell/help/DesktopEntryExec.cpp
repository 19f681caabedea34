// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/help/DesktopEntryExec.h"

#include <QStringView>
#include <optional>

using namespace Qt::StringLiterals;

namespace kvel {

namespace {

QString unescapeString(QStringView value)
{
    QString text;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const qsizetype code =
            i + 1 < value.size() && value[i] == u'\\' ? u"sntr\\"_s.indexOf(value[i + 1]) : -1;
        if (code < 0) {
            text += value[i]; // other escapes belong to the quoting rules
            continue;
        }
        text += u" \n\t\r\\"_s[code];
        ++i;
    }
    return text;
}

// Splits at blanks outside double quotes; inside them a backslash escapes " ` $ \.
std::optional<QStringList> splitArguments(const QString& exec)
{
    QStringList arguments;
    QString current;
    bool inArgument = false;
    bool quoted = false;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar c = exec[i];
        if (quoted) {
            if (c == u'"')
                quoted = false;
            else if (c == u'\\' && i + 1 < exec.size() && u"\"`$\\"_s.contains(exec[i + 1]))
                current += exec[++i];
            else
                current += c;
        } else if (c == u' ' || c == u'\t') {
            if (inArgument)
                arguments << current;
            current.clear();
            inArgument = false;
        } else {
            inArgument = true;
            if (c == u'"')
                quoted = true;
            else
                current += c;
        }
    }
    if (quoted)
        return std::nullopt;
    if (inArgument)
        arguments << current;
    return arguments;
}

} // namespace

QString desktopEntryExec(const QString& desktopFileText)
{
    bool inEntryGroup = false;
    for (QStringView line : QStringView(desktopFileText).split(u'\n')) {
        line = line.trimmed();
        if (line.startsWith(u'[')) {
            inEntryGroup = line == u"[Desktop Entry]";
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (inEntryGroup && equals > 0 && line.left(equals).trimmed() == u"Exec")
            return unescapeString(line.mid(equals + 1).trimmed());
    }
    return {};
}

QStringList execCommand(const QString& exec, const QString& filePath,
                        const QString& desktopFilePath)
{
    const std::optional<QStringList> arguments = splitArguments(exec);
    if (!arguments || arguments->isEmpty())
        return {};
    QStringList command;
    bool fileGiven = false;
    for (const QString& argument : *arguments) {
        QString expanded;
        for (qsizetype i = 0; i < argument.size(); ++i) {
            if (argument[i] != u'%' || i + 1 == argument.size()) {
                expanded += argument[i];
                continue;
            }
            const QChar code = argument[++i];
            if (u"fFuU"_s.contains(code)) {
                expanded += filePath;
                fileGiven = true;
            } else if (code == u'k') {
                expanded += desktopFilePath;
            } else if (code == u'%') {
                expanded += u'%';
            }
        }
        // A code standing alone that expands to nothing (%i, %c) leaves no argument.
        if (!expanded.isEmpty() || !argument.startsWith(u'%'))
            command << expanded;
    }
    if (command.isEmpty() || command.first().isEmpty())
        return {};
    if (!fileGiven)
        command << filePath;
    return command;
}

} // namespace kvel
