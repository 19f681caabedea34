// SPDX-License-Identifier: GPL-2.0-or-later
#include "lookup/index/TolerantIndex.h"

#include "lookup/text/TextFolding.h"
#include "lookup/text/TolerantMatching.h"

#include <algorithm>
#include <climits>

namespace kvel {

namespace {

constexpr std::size_t kLetterBytes = 0x10000 / 8;

bool isAscii(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}

// Every rule of the ekavian reading starts at "je" or "io": most keys are
// passed over without building their reading.
bool mayReadOtherwiseAsEkavian(QStringView key)
{
    return key.contains(u"je") || key.contains(u"io");
}

} // namespace

TolerantIndex::TolerantIndex(const HeadwordIndex& headwords, Pronunciations pronunciations)
    : m_pronunciations(pronunciations)
{
    const FoldedKeys& keys = headwords.keys();
    // Nearly every headword with a letter beyond ASCII is marked, and its key
    // is seldom longer: room for them all up front spares growing and
    // shrinking buffers of a million keys, which would raise the peak of memory.
    std::size_t candidates = 0;
    std::size_t units = 0;
    for (std::uint32_t key = 0; key < keys.size(); ++key) {
        if (!isAscii(keys[key])) {
            ++candidates;
            units += std::size_t(keys[key].size());
        }
    }
    FoldedKeys markedKeys;
    markedKeys.reserve(candidates, units);
    std::vector<qint64> keyNumbers;
    keyNumbers.reserve(candidates);
    FoldedKeys ekavianKeys;
    std::vector<qint64> ekavianKeyNumbers;
    std::vector<std::uint8_t> markedLetters(kLetterBytes, 0);
    const auto readAsEkavian = [&](std::uint32_t key, QStringView tolerant) {
        if (pronunciations != Pronunciations::EkavianOrIjekavian ||
            !mayReadOtherwiseAsEkavian(tolerant))
            return;
        const QString ekavian = ekavianKey(tolerant);
        if (ekavian != tolerant) {
            ekavianKeys.append(ekavian);
            ekavianKeyNumbers.push_back(key);
        }
    };
    for (std::uint32_t key = 0; key < keys.size(); ++key) {
        const QStringView folded = keys[key];
        if (isAscii(folded)) {
            readAsEkavian(key, folded);
            continue;
        }
        const QString form = tolerantFormOfFolded(folded.toString());
        const QString tolerant = tolerantKey(form);
        readAsEkavian(key, tolerant);
        if (tolerant == folded)
            continue;
        markedKeys.append(tolerant);
        keyNumbers.push_back(key);
        // A headword in Cyrillic matches every letter of its Latin form otherwise than exactly.
        for (const QChar letter : form == folded ? lettersWrittenWithMarks(form) : tolerant + form)
            markedLetters[letter.unicode() / 8] |= std::uint8_t(1 << (letter.unicode() % 8));
    }
    m_markedLetters = OwnedOrMapped(std::move(markedLetters));
    // Many candidates are exact matches and dropped, so more are asked for
    // than a lookup shows: longer short lists save reading on for them.
    m_marked = std::make_unique<HeadwordIndex>(std::move(markedKeys), std::move(keyNumbers),
                                               4 * kMaxResultLines);
    if (pronunciations == Pronunciations::EkavianOrIjekavian) {
        m_ekavian = std::make_unique<HeadwordIndex>(
            std::move(ekavianKeys), std::move(ekavianKeyNumbers), 4 * kMaxResultLines);
    }
}

TolerantIndex::TolerantIndex(indexfile::SectionReader& sections)
{
    const std::vector<qint64> scalars = sections.scalars(2);
    m_pronunciations = scalars[0] == qint64(Pronunciations::EkavianOrIjekavian)
                           ? Pronunciations::EkavianOrIjekavian
                           : Pronunciations::AsWritten;
    m_marked = std::make_unique<HeadwordIndex>(sections);
    if (scalars[1])
        m_ekavian = std::make_unique<HeadwordIndex>(sections);
    m_markedLetters = OwnedOrMapped(sections.bytes());
    if (m_markedLetters.size() != kLetterBytes)
        sections.refuse();
}

void TolerantIndex::write(indexfile::SectionWriter& sections) const
{
    sections.scalars({qint64(m_pronunciations), m_ekavian ? 1 : 0});
    m_marked->write(sections);
    if (m_ekavian)
        m_ekavian->write(sections);
    sections.bytes(m_markedLetters.view());
}

std::vector<std::uint32_t> TolerantIndex::findOnlyTolerant(const HeadwordIndex& headwords,
                                                           FindMethod method,
                                                           QStringView foldedPhrase,
                                                           QStringView phraseForm, int limit) const
{
    const bool latinPhrase = phraseForm == foldedPhrase;
    // Every reading as ekavian that tells two words apart has an "e": a
    // phrase whose reading has none matches nothing more across pronunciations.
    const QString phraseKey = m_ekavian ? tolerantKey(phraseForm) : QString();
    const QString ekavianPhrase = m_ekavian ? ekavianKey(phraseKey) : QString();
    const bool acrossPronunciations = ekavianPhrase.contains(u'e');
    if (latinPhrase && !acrossPronunciations &&
        std::none_of(phraseForm.begin(), phraseForm.end(),
                     [this](QChar c) { return isMarked(c); })) {
        return {};
    }
    // A headword that is its own key matches only a phrase that is its own
    // key, and exactly unless the phrase was typed in Cyrillic.
    const bool plainHeadwordsMatch = !latinPhrase && tolerantKey(phraseForm) == phraseForm;

    const TolerantCandidates candidates = tolerantCandidates(phraseForm, method);
    const TolerantCandidates ekavianCandidates = acrossPronunciations
                                                     ? tolerantCandidates(ekavianPhrase, method)
                                                     : TolerantCandidates{{}, method};
    // A phrase read otherwise as ekavian may match headwords of either index
    // by that reading, and plain ones.
    const bool phraseReadOtherwise = ekavianPhrase != phraseKey;
    const FoldedKeys& keys = headwords.keys();
    std::vector<std::uint32_t> hits;
    // Candidates are asked for in growing numbers until enough of them pass
    // or there are no more: most phrases need one round.
    for (int wanted = limit + kMaxResultLines; limit > 0; wanted *= 4) {
        std::vector<std::uint32_t> found;
        // A source that gave all it was asked for may hold more after its
        // last key: only the keys up to the lowest such one are complete.
        std::uint32_t complete = UINT32_MAX;
        const auto take = [&](std::vector<std::uint32_t> batch) {
            if (batch.size() == std::size_t(wanted))
                complete = std::min(complete, batch.back());
            found.insert(found.end(), batch.begin(), batch.end());
        };
        if (plainHeadwordsMatch)
            take(headwords.findKeys(method, phraseForm, wanted));
        const auto takeFrom = [&](const HeadwordIndex& index, FindMethod searched,
                                  const QString& key) {
            std::vector<std::uint32_t> numbers = index.findKeys(searched, key, wanted);
            for (std::uint32_t& number : numbers)
                number = std::uint32_t(index.rowIdOf(number));
            take(std::move(numbers));
        };
        for (const QString& key : candidates.keys)
            takeFrom(*m_marked, candidates.method, key);
        for (const QString& key : ekavianCandidates.keys) {
            takeFrom(*m_ekavian, ekavianCandidates.method, key);
            if (phraseReadOtherwise) {
                takeFrom(*m_marked, ekavianCandidates.method, key);
                take(headwords.findKeys(ekavianCandidates.method, key, wanted));
            }
        }
        std::sort(found.begin(), found.end());
        found.erase(std::unique(found.begin(), found.end()), found.end());

        hits.clear();
        for (const std::uint32_t key : found) {
            if (key > complete)
                break;
            const QStringView folded = keys[key];
            if (!matchesFolded(folded, foldedPhrase, method) &&
                matchesTolerantly(tolerantFormOfFolded(folded.toString()), phraseForm, method,
                                  m_pronunciations)) {
                hits.push_back(key);
                if (hits.size() == std::size_t(limit))
                    return hits;
            }
        }
        if (complete == UINT32_MAX)
            break;
    }
    return hits;
}

std::size_t TolerantIndex::memoryBytes() const
{
    return m_marked->memoryBytes() + (m_ekavian ? m_ekavian->memoryBytes() : 0) +
           m_markedLetters.memoryBytes();
}

} // namespace kvel
