// SPDX-License-Identifier: GPL-2.0-or-later
#include "SyntheticDictionary.h"

#include "lookup/text/TextFolding.h"

#include <QRandomGenerator>
#include <QStringList>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace kvel::bench {

namespace {

const QStringList kEnglishSyllables = {
    u"the"_s, u"ing"_s, u"tion"_s, u"er"_s,   u"an"_s,  u"re"_s, u"on"_s,  u"at"_s,   u"en"_s,
    u"nd"_s,  u"ti"_s,  u"es"_s,   u"or"_s,   u"te"_s,  u"of"_s, u"ed"_s,  u"is"_s,   u"it"_s,
    u"al"_s,  u"ar"_s,  u"st"_s,   u"to"_s,   u"nt"_s,  u"ha"_s, u"ou"_s,  u"ea"_s,   u"hi"_s,
    u"bro"_s, u"cal"_s, u"dy"_s,   u"fix"_s,  u"gro"_s, u"ju"_s, u"kn"_s,  u"lo"_s,   u"mp"_s,
    u"qu"_s,  u"sw"_s,  u"vy"_s,   u"wr"_s,   u"xe"_s,  u"zo"_s, u"ph"_s,  u"ck"_s,   u"ble"_s,
    u"ous"_s, u"ly"_s,  u"ness"_s, u"ment"_s, u"pre"_s, u"un"_s, u"dis"_s, u"over"_s, u"sh"_s};
const QStringList kSerbianSyllables = {
    u"ka"_s,  u"na"_s,  u"je"_s,  u"ti"_s,  u"sta"_s, u"no"_s, u"ra"_s,  u"po"_s, u"va"_s,
    u"ko"_s,  u"ni"_s,  u"ri"_s,  u"ža"_s,  u"če"_s,  u"ći"_s, u"šta"_s, u"đe"_s, u"lju"_s,
    u"nje"_s, u"dž"_s,  u"ost"_s, u"ski"_s, u"ica"_s, u"ač"_s, u"ić"_s,  u"vo"_s, u"ze"_s,
    u"mi"_s,  u"pri"_s, u"raz"_s, u"iz"_s,  u"ob"_s,  u"tr"_s, u"sr"_s,  u"ku"_s, u"ća"_s,
    u"ši"_s,  u"žu"_s,  u"bi"_s,  u"go"_s,  u"dr"_s,  u"av"_s, u"ej"_s,  u"uj"_s, u"ov"_s};
const QStringList kPunctuation = {u"'"_s, u"-"_s, u"."_s, u", "_s, u"!"_s};

class Words
{
public:
    explicit Words(quint32 seed) : m_random(seed) {}

    QString word(const QStringList& syllables)
    {
        QString text;
        const int count = 1 + int(m_random.bounded(5));
        for (int i = 0; i < count; ++i)
            text += syllables[int(m_random.bounded(quint32(syllables.size())))];
        return text;
    }

    // One to four words; now and then a capital or a punctuation mark.
    QString headword(const QStringList& syllables)
    {
        const quint32 shape = m_random.bounded(100);
        const int words = shape < 55 ? 1 : shape < 85 ? 2 : shape < 95 ? 3 : 4;
        QStringList parts;
        for (int i = 0; i < words; ++i)
            parts << word(syllables);
        QString text = parts.join(u' ');
        if (m_random.bounded(10) == 0)
            text[0] = text[0].toUpper();
        if (m_random.bounded(25) == 0)
            text += kPunctuation[int(m_random.bounded(quint32(kPunctuation.size())))];
        return text;
    }

    QString meaning(const QStringList& syllables)
    {
        QStringList senses;
        const int count = 1 + int(m_random.bounded(4));
        for (int i = 0; i < count; ++i)
            senses << headword(syllables);
        return senses.join(u"; "_s);
    }

    bool english() { return m_random.bounded(100) < 45; }

private:
    QRandomGenerator m_random;
};

} // namespace

QList<DictionaryRow> syntheticRows(int entries, quint32 seed)
{
    Words words(seed);
    // Sorted by the folded headword, computed once per row.
    QList<std::pair<QString, DictionaryRow>> english;
    QList<std::pair<QString, DictionaryRow>> serbian;
    for (int i = 0; i < entries; ++i) {
        if (words.english()) {
            const QString word = words.headword(kEnglishSyllables);
            english.append({foldForMatching(word),
                            {word, words.meaning(kSerbianSyllables), kEnglishHeadword}});
        } else {
            const QString word = words.headword(kSerbianSyllables);
            serbian.append({foldForMatching(word),
                            {word, words.meaning(kEnglishSyllables), kSerbianHeadword}});
        }
    }
    const auto byFoldedWord = [](const auto& a, const auto& b) {
        return a.first < b.first;
    };
    std::stable_sort(english.begin(), english.end(), byFoldedWord);
    std::stable_sort(serbian.begin(), serbian.end(), byFoldedWord);
    QList<DictionaryRow> rows;
    rows.reserve(entries);
    for (const auto& [folded, row] : english)
        rows.append(row);
    for (const auto& [folded, row] : serbian)
        rows.append(row);
    return rows;
}

} // namespace kvel::bench
