// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/content/ContentMarkup.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace kvel {

namespace {

const QString kLabelCode = u"~2"_s;

} // namespace

QString entryMarkup(const DictionaryEntry& entry)
{
    return entry.headword + (entry.language == HeadLanguage::English ? u"~0"_s : u"~1"_s) +
           entry.meanings;
}

QString helpLineMarkup(const HelpLine& line)
{
    return line.label ? *line.label + kLabelCode + line.text : line.text;
}

QStringList markupLines(const BalloonContent& content)
{
    QStringList lines;
    for (const DictionaryEntry& entry : content.entries)
        lines.append(entryMarkup(entry));
    for (const HelpLine& line : content.helpLines)
        lines.append(helpLineMarkup(line));
    return lines;
}

QStringList splitAtLineBreaks(const QString& text)
{
    static const QRegularExpression lineBreak(u"\r\n|[\r\n\u2028\u2029]"_s);
    return text.split(lineBreak);
}

QList<HelpLine> helpLinesFromText(const QString& text)
{
    QList<HelpLine> lines;
    for (const QString& line : splitAtLineBreaks(text)) {
        const qsizetype code = line.indexOf(kLabelCode);
        if (code < 0)
            lines.append({std::nullopt, line});
        else
            lines.append({line.left(code), line.mid(code + kLabelCode.size())});
    }
    return lines;
}

BalloonContent textContent(ContentKind kind, ImageId image, const QString& caption,
                           const QStringList& texts, Qt::Alignment alignment)
{
    BalloonContent content{kind, image, caption};
    for (const QString& text : texts)
        content.helpLines += helpLinesFromText(text);
    content.alignment = alignment;
    return content;
}

} // namespace kvel
