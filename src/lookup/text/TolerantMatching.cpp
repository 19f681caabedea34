// SPDX-License-Identifier: GPL-2.0-or-later
#include "lookup/text/TolerantMatching.h"

#include "lookup/text/SerbianTransliteration.h"
#include "lookup/text/TextFolding.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

using namespace Qt::StringLiterals;

namespace kvel {

namespace {

// Beyond this many "dj" in one phrase the candidate keys would double again.
constexpr int kMaxDigraphChoices = 4;

constexpr char16_t kDj = u'đ';

// A letter with the marks that follow it; `base` is the letter without marks,
// or null for a mark with no letter before it.
struct Unit
{
    QStringView text;
    QChar base;
};

// Below the combining marks, where almost every headword's letters are.
constexpr char16_t kTabulatedLetters = 0x300;

QChar decomposedBaseLetter(QChar c)
{
    if (c == kDj)
        return u'd';
    while (c.decompositionTag() == QChar::Canonical) {
        const QString parts = c.decomposition();
        if (parts.isEmpty() || parts.front() == c)
            break;
        c = parts.front();
    }
    return c.isMark() ? QChar() : c;
}

QChar baseLetter(QChar c)
{
    // Decomposing costs an allocation: the common letters are looked up.
    static const auto table = [] {
        std::array<char16_t, kTabulatedLetters> bases{};
        for (char16_t letter = 0; letter < kTabulatedLetters; ++letter)
            bases[letter] = decomposedBaseLetter(QChar(letter)).unicode();
        return bases;
    }();
    return c.unicode() < kTabulatedLetters ? QChar(table[c.unicode()]) : decomposedBaseLetter(c);
}

std::vector<Unit> unitsOf(QStringView form)
{
    std::vector<Unit> units;
    units.reserve(std::size_t(form.size()));
    for (qsizetype i = 0; i < form.size();) {
        qsizetype end = i + 1;
        if (!form.at(i).isMark()) {
            while (end < form.size() && form.at(end).isMark())
                ++end;
        }
        units.push_back({form.sliced(i, end - i), baseLetter(form.at(i))});
        i = end;
    }
    return units;
}

bool isPlain(const Unit& unit)
{
    return unit.text.size() == 1 && unit.base == unit.text.front();
}

bool isPlainLetter(const Unit& unit, char16_t letter)
{
    return isPlain(unit) && unit.base == letter;
}

bool unitMatches(const Unit& word, const Unit& phrase)
{
    return isPlain(phrase) ? !word.base.isNull() && word.base == phrase.base
                           : word.text == phrase.text;
}

// Whether the phrase from unit `p` on matches the word from unit `w` on,
// reaching the word's end too when `toEnd`.
bool matchesFrom(const std::vector<Unit>& word, std::size_t w, const std::vector<Unit>& phrase,
                 std::size_t p, bool toEnd)
{
    for (; p < phrase.size(); ++p, ++w) {
        if (w == word.size())
            return false;
        // "dj" typed for đ is two units of the phrase for one of the word.
        if (p + 1 < phrase.size() && isPlainLetter(phrase[p], u'd') &&
            isPlainLetter(phrase[p + 1], u'j') && word[w].text == QStringView(u"đ") &&
            matchesFrom(word, w + 1, phrase, p + 2, toEnd)) {
            return true;
        }
        if (!unitMatches(word[w], phrase[p]))
            return false;
    }
    return !toEnd || w == word.size();
}

bool matchesUnits(const std::vector<Unit>& word, const std::vector<Unit>& phrase, FindMethod method)
{
    const bool toEnd = method == FindMethod::Ends || method == FindMethod::Whole;
    if (method == FindMethod::Begins || method == FindMethod::Whole)
        return matchesFrom(word, 0, phrase, 0, toEnd);
    for (std::size_t start = 0; start <= word.size(); ++start) {
        if (matchesFrom(word, start, phrase, 0, toEnd))
            return true;
    }
    return false;
}

bool isConsonant(char16_t c)
{
    constexpr std::uint32_t kVowelsAndJ = 1u << (u'a' - u'a') | 1u << (u'e' - u'a') |
                                          1u << (u'i' - u'a') | 1u << (u'j' - u'a') |
                                          1u << (u'o' - u'a') | 1u << (u'u' - u'a');
    return c >= u'a' && c <= u'z' && !(kVowelsAndJ & 1u << (c - u'a'));
}

// The only words whose last "ije" is the jat; elsewhere it ends comparatives
// and cases of nouns in -ija (jasnije, opcije) or is nije.
bool endsWithJatIje(QStringView wordBeforeIje)
{
    return wordBeforeIje == u"pr" || wordBeforeIje == u"dv" || wordBeforeIje == u"posl";
}

// Gives, letter by letter, where the ekavian reading of `bases` (letters
// without marks) comes from: an index into `bases`, or -1 for the "e" that
// stands for the "i" of "-io". The rules are ekavianKey's.
template <typename Give> void readEkavian(QStringView bases, Give give)
{
    const qsizetype size = bases.size();
    const auto at = [bases, size](qsizetype i) {
        return i < size ? bases[i].unicode() : u'\0';
    };
    const auto endsWord = [bases, size](qsizetype i) {
        return i >= size || !bases[i].isLetter();
    };
    qsizetype wordStart = 0;
    for (qsizetype i = 0; i < size; ++i) {
        give(i);
        const char16_t c = bases[i].unicode();
        const char16_t next = at(i + 1);
        // Every rule starts at a consonant before "i" or "j".
        if ((next != u'i' && next != u'j') || !isConsonant(c)) {
            if (!bases[i].isLetter())
                wordStart = i + 1;
            continue;
        }
        const QStringView rest = bases.sliced(i + 1);
        if (next == u'i' && at(i + 2) == u'j' && at(i + 3) == u'e' &&
            (!endsWord(i + 4) || endsWithJatIje(bases.sliced(wordStart, i + 1 - wordStart)))) {
            give(i + 3);
            i += 3;
        } else if (next == u'j' && at(i + 2) == u'e' && c != u'l' && c != u'n' &&
                   !rest.startsWith(u"jedn") && !rest.startsWith(u"jedin") &&
                   (!endsWord(i + 3) || c == u'd')) {
            give(i + 2);
            i += 2;
        } else if (next == u'i' && at(i + 2) == u'o' && endsWord(i + 3)) {
            give(-1);
            give(i + 2);
            i += 2;
        }
    }
}

std::vector<Unit> readAsEkavian(const std::vector<Unit>& units)
{
    QString bases;
    bases.reserve(qsizetype(units.size()));
    for (const Unit& unit : units)
        bases += unit.base;
    std::vector<Unit> ekavian;
    ekavian.reserve(units.size() + 1);
    readEkavian(bases, [&](qsizetype from) {
        ekavian.push_back(from < 0 ? Unit{QStringView(u"e"), QChar(u'e')}
                                   : units[std::size_t(from)]);
    });
    return ekavian;
}

} // namespace

QString tolerantForm(const QString& text)
{
    return tolerantFormOfFolded(foldForMatching(text));
}

QString tolerantFormOfFolded(const QString& folded)
{
    // Below the combining marks every letter is Latin and already composed.
    if (std::all_of(folded.cbegin(), folded.cend(),
                    [](QChar c) { return c.unicode() < kTabulatedLetters; }))
        return folded;
    return transliterateSerbianCyrillic(folded).normalized(QString::NormalizationForm_C);
}

QString tolerantKey(QStringView form)
{
    QString key;
    key.reserve(form.size());
    for (const QChar c : form) {
        const QChar base = baseLetter(c);
        if (!base.isNull())
            key += base;
    }
    return key;
}

QString lettersWrittenWithMarks(QStringView form)
{
    QString letters;
    for (const Unit& unit : unitsOf(form)) {
        if (!unit.base.isNull() && !isPlain(unit))
            letters += unit.base;
    }
    return letters;
}

bool matchesTolerantly(QStringView wordForm, QStringView phraseForm, FindMethod method,
                       Pronunciations pronunciations)
{
    const std::vector<Unit> word = unitsOf(wordForm);
    const std::vector<Unit> phrase = unitsOf(phraseForm);
    if (matchesUnits(word, phrase, method))
        return true;
    return pronunciations == Pronunciations::EkavianOrIjekavian &&
           matchesUnits(readAsEkavian(word), readAsEkavian(phrase), method);
}

QString ekavianKey(QStringView key)
{
    // The reading is never longer than the key.
    QString ekavian(key.size(), Qt::Uninitialized);
    QChar* out = ekavian.data();
    readEkavian(key, [&](qsizetype from) { *out++ = from < 0 ? QChar(u'e') : key[from]; });
    ekavian.truncate(out - ekavian.constData());
    return ekavian;
}

TolerantCandidates tolerantCandidates(QStringView phraseForm, FindMethod method)
{
    QString key = tolerantKey(phraseForm);
    std::vector<qsizetype> digraphs;
    for (qsizetype at = key.indexOf(u"dj"_s); at >= 0; at = key.indexOf(u"dj"_s, at + 2)) {
        if (digraphs.size() == kMaxDigraphChoices) {
            // The part before is enough to find every candidate.
            key.truncate(at);
            method = method == FindMethod::Whole  ? FindMethod::Begins
                     : method == FindMethod::Ends ? FindMethod::Contains
                                                  : method;
            break;
        }
        digraphs.push_back(at);
    }
    TolerantCandidates candidates{{}, method};
    for (std::size_t choice = 0; choice < (std::size_t(1) << digraphs.size()); ++choice) {
        QString variant = key;
        // From the back, so that the earlier positions still hold.
        for (std::size_t i = digraphs.size(); i-- > 0;) {
            if (choice & (std::size_t(1) << i))
                variant.remove(digraphs[i] + 1, 1);
        }
        candidates.keys.append(variant);
    }
    return candidates;
}

} // namespace kvel
