// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/settings/IniDocument.h"

#include <limits>

using namespace Qt::StringLiterals;

namespace kvel {

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

QStringView trimBlanks(QStringView text)
{
    while (!text.isEmpty() && isBlank(text.front()))
        text = text.mid(1);
    while (!text.isEmpty() && isBlank(text.back()))
        text.chop(1);
    return text;
}

// Names are the program's own ASCII texts; other letters must match exactly.
bool sameName(QStringView a, QStringView b)
{
    if (a.size() != b.size())
        return false;
    const auto fold = [](QChar c) {
        return c >= u'A' && c <= u'Z' ? QChar(c.unicode() + ('a' - 'A')) : c;
    };
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (fold(a[i]) != fold(b[i]))
            return false;
    }
    return true;
}

// The name of a "[name]" line; a header without "]" runs to the end of the line.
std::optional<QStringView> headerName(QStringView line)
{
    const QStringView text = trimBlanks(line);
    if (!text.startsWith(u'['))
        return std::nullopt;
    const qsizetype close = text.indexOf(u']');
    return trimBlanks(close < 0 ? text.mid(1) : text.mid(1, close - 1));
}

// The name of a "key=value" line; comments and lines without "=" have none.
std::optional<QStringView> keyName(QStringView line)
{
    const QStringView text = trimBlanks(line);
    if (text.startsWith(u';') || text.startsWith(u'#') || text.startsWith(u'['))
        return std::nullopt;
    const qsizetype equals = line.indexOf(u'=');
    if (equals < 0)
        return std::nullopt;
    return trimBlanks(line.left(equals));
}

} // namespace

IniDocument::IniDocument(const QString& text)
{
    const qsizetype firstBreak = text.indexOf(u'\n');
    if (firstBreak > 0 && text[firstBreak - 1] == u'\r')
        m_lineBreak = u"\r\n"_s;

    m_lines = text.split(u'\n');
    if (m_lines.back().isEmpty())
        m_lines.removeLast();
    for (QString& line : m_lines) {
        while (line.endsWith(u'\r'))
            line.chop(1);
    }
}

QString IniDocument::toText() const
{
    return m_lines.isEmpty() ? QString() : m_lines.join(m_lineBreak) + m_lineBreak;
}

QString IniDocument::value(QStringView section, QStringView key, const QString& defaultValue) const
{
    const qsizetype sectionLine = findSection(section);
    if (sectionLine < 0)
        return defaultValue;
    const qsizetype keyLine = findKey(sectionLine, key);
    if (keyLine < 0)
        return defaultValue;
    const QString& line = m_lines[keyLine];
    return line.mid(line.indexOf(u'=') + 1);
}

void IniDocument::setValue(QStringView section, QStringView key, const QString& value)
{
    QString oneLine = value;
    oneLine.remove(u'\r');
    oneLine.remove(u'\n');

    const qsizetype sectionLine = findSection(section);
    if (sectionLine < 0) {
        m_lines << u"["_s + section.toString() + u"]"_s;
        m_lines << key.toString() + u"="_s + oneLine;
        return;
    }

    const qsizetype keyLine = findKey(sectionLine, key);
    if (keyLine >= 0) {
        QString& line = m_lines[keyLine];
        line = line.left(line.indexOf(u'=') + 1) + oneLine;
        return;
    }

    qsizetype lastKeyLine = sectionLine;
    const qsizetype end = sectionEnd(sectionLine);
    for (qsizetype i = sectionLine + 1; i < end; ++i) {
        if (keyName(m_lines[i]))
            lastKeyLine = i;
    }
    m_lines.insert(lastKeyLine + 1, key.toString() + u"="_s + oneLine);
}

qsizetype IniDocument::findSection(QStringView section) const
{
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const std::optional<QStringView> name = headerName(m_lines[i]);
        if (name && sameName(*name, section))
            return i;
    }
    return -1;
}

qsizetype IniDocument::sectionEnd(qsizetype sectionLine) const
{
    qsizetype line = sectionLine + 1;
    while (line < m_lines.size() && !headerName(m_lines[line]))
        ++line;
    return line;
}

qsizetype IniDocument::findKey(qsizetype sectionLine, QStringView key) const
{
    const qsizetype end = sectionEnd(sectionLine);
    for (qsizetype i = sectionLine + 1; i < end; ++i) {
        const std::optional<QStringView> name = keyName(m_lines[i]);
        if (name && sameName(*name, key))
            return i;
    }
    return -1;
}

std::optional<int> parseDecimal(QStringView text)
{
    const bool negative = text.startsWith(u'-');
    if (negative || text.startsWith(u'+'))
        text = text.mid(1);
    if (text.isEmpty())
        return std::nullopt;

    qint64 magnitude = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        magnitude = magnitude * 10 + (c.unicode() - '0');
        if (magnitude > qint64(std::numeric_limits<int>::max()) + 1)
            return std::nullopt;
    }
    const qint64 number = negative ? -magnitude : magnitude;
    if (number > std::numeric_limits<int>::max())
        return std::nullopt;
    return int(number);
}

} // namespace kvel
