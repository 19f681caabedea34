// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/text/PhraseNormalizer.h"

namespace kvel {

namespace {

constexpr qsizetype kMaxPhraseLength = 255;

bool isBlankOrControl(QChar c)
{
    return c.unicode() <= 32;
}

// Counts characters, not UTF-16 units, so a cut never splits a surrogate pair.
QString firstCharacters(const QString& text, qsizetype count)
{
    qsizetype units = 0;
    for (qsizetype taken = 0; taken < count && units < text.size(); ++taken) {
        const bool pair = text[units].isHighSurrogate() && units + 1 < text.size() &&
                          text[units + 1].isLowSurrogate();
        units += pair ? 2 : 1;
    }
    return text.left(units);
}

} // namespace

QString trimControl(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlankOrControl(text[begin]))
        ++begin;
    while (end > begin && isBlankOrControl(text[end - 1]))
        --end;
    return text.mid(begin, end - begin);
}

QString NormalizePhrase(const QString& text)
{
    QString phrase = firstCharacters(text, kMaxPhraseLength);
    const qsizetype nul = phrase.indexOf(QChar(u'\0'));
    if (nul >= 0)
        phrase.truncate(nul);

    QString cleaned;
    cleaned.reserve(phrase.size());
    for (const QChar c : std::as_const(phrase)) {
        switch (c.unicode()) {
        case '[':
        case ']':
        case '%':
        case '_':
        case '&':
        case '"':
        case '\r':
        case '\n':
            break;
        case '\t':
            cleaned += u' ';
            break;
        default:
            cleaned += c;
        }
    }

    QString collapsed;
    collapsed.reserve(cleaned.size());
    for (const QChar c : std::as_const(cleaned)) {
        if (c == u' ' && collapsed.endsWith(u' '))
            continue;
        collapsed += c;
    }

    return lowerCaseAscii(trimControl(collapsed));
}

QString lowerCaseAscii(const QString& text)
{
    QString result = text;
    for (QChar& c : result) {
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + ('a' - 'A'));
    }
    return result;
}

QString upperCaseAscii(const QString& text)
{
    QString result = text;
    for (QChar& c : result) {
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - ('a' - 'A'));
    }
    return result;
}

} // namespace kvel
