// SPDX-License-Identifier: GPL-2.0-or-later
#include "kvel-dict/MeaningCleaner.h"

#include <QRegularExpression>
#include <algorithm>
#include <optional>

namespace kvel::dictbuild {

namespace {

// Slashes that open after a space (or the line start) and close before one, with
// no space just inside them, so "and/or", "1/2" and "a / b" are left alone.
const QRegularExpression
    kPronunciation(QStringLiteral(R"((?:^|\s)/[^/\s](?:[^/]*[^/\s])?/(?=[\s,;]|$))"));
const QRegularExpression kSenseNumber(QStringLiteral(R"(^\d+[.)](?:\s+|$))"));
const QRegularExpression kGrammarTag(QStringLiteral(R"(<[^<>]*>)"));
const QRegularExpression kNote(QStringLiteral(R"(^notes?\s*:)"),
                               QRegularExpression::CaseInsensitiveOption);

bool isSeparatorAt(const QString& text, qsizetype i)
{
    const QChar c = text.at(i);
    if (c == u';') {
        return true;
    }
    const bool decimalComma =
        i > 0 && i + 1 < text.size() && text.at(i - 1).isDigit() && text.at(i + 1).isDigit();
    return c == u',' && !decimalComma;
}

QStringList splitAtSeparators(const QString& text)
{
    QStringList parts;
    int depth = 0;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'(' || c == u'[' || c == u'{') {
            ++depth;
        } else if ((c == u')' || c == u']' || c == u'}') && depth > 0) {
            --depth;
        } else if (depth == 0 && isSeparatorAt(text, i)) {
            parts.append(text.sliced(start, i - start));
            start = i + 1;
        }
    }
    parts.append(text.sliced(start));
    return parts;
}

bool isBlank(const QString& line)
{
    return line.trimmed().isEmpty();
}

bool startsWithSpace(const QString& line)
{
    return !line.isEmpty() && line.front().isSpace();
}

struct Header
{
    QString writtenHeadword; // the text before the pronunciation
    QString rest;            // meanings written after it on the same line
};

// Nothing when the line is not a header but already a meaning.
std::optional<Header> readHeader(const QString& line, const QString& indexHeadword,
                                 bool moreLinesFollow)
{
    QRegularExpressionMatchIterator pronunciations = kPronunciation.globalMatch(line);
    if (pronunciations.hasNext()) {
        const qsizetype headwordEnd = pronunciations.peekNext().capturedStart();
        qsizetype restStart = 0;
        while (pronunciations.hasNext()) {
            restStart = pronunciations.next().capturedEnd();
        }
        return Header{line.first(headwordEnd).remove(kGrammarTag).simplified(),
                      line.sliced(restStart).remove(kGrammarTag).simplified()};
    }
    const QString written = QString(line).remove(kGrammarTag).simplified();
    if (moreLinesFollow && written.toCaseFolded() == indexHeadword.simplified().toCaseFolded()) {
        return Header{written, QString()};
    }
    return std::nullopt;
}

// Joins indented continuation lines to the line they continue and drops notes.
QStringList logicalLines(const QStringList& lines)
{
    QStringList result;
    bool inNote = false;
    bool continuable = false;
    for (const QString& line : lines) {
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty()) {
            continuable = false;
            continue;
        }
        const bool continuation =
            startsWithSpace(line) && continuable && !kSenseNumber.match(trimmed).hasMatch();
        if (continuation) {
            if (!inNote) {
                result.last() += u' ' + trimmed;
            }
            continue;
        }
        inNote = kNote.match(trimmed).hasMatch();
        if (!inNote) {
            result.append(trimmed);
        }
        continuable = true;
    }
    return result;
}

} // namespace

QStringList splitMeanings(const QString& line)
{
    QString text = line;
    text.replace(kPronunciation, QStringLiteral(" "));
    text = text.trimmed();
    text.remove(kSenseNumber);
    QStringList meanings;
    for (const QString& part : splitAtSeparators(text)) {
        const QString meaning = part.simplified();
        if (!meaning.isEmpty()) {
            meanings.append(meaning);
        }
    }
    return meanings;
}

DictdArticle parseDictdArticle(const QString& indexHeadword, const QString& text)
{
    QStringList lines = text.split(u'\n');
    for (QString& line : lines) {
        if (line.endsWith(u'\r')) {
            line.chop(1);
        }
    }
    while (!lines.isEmpty() && isBlank(lines.front())) {
        lines.removeFirst();
    }

    DictdArticle article{indexHeadword.simplified(), {}};
    if (!lines.isEmpty()) {
        const bool moreLinesFollow = std::any_of(
            lines.cbegin() + 1, lines.cend(), [](const QString& other) { return !isBlank(other); });
        if (const std::optional<Header> header =
                readHeader(lines.front(), indexHeadword, moreLinesFollow)) {
            if (header->writtenHeadword.toCaseFolded() == article.headword.toCaseFolded()) {
                article.headword = header->writtenHeadword;
            }
            lines.removeFirst();
            if (!header->rest.isEmpty()) {
                lines.prepend(header->rest);
            }
        }
    }
    for (const QString& line : logicalLines(lines)) {
        article.meanings += splitMeanings(line);
    }
    return article;
}

} // namespace kvel::dictbuild
