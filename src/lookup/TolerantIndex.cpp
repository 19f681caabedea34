#include "TolerantIndex.h"

#include "TextFolding.h"
#include "TolerantMatching.h"

#include <algorithm>
#include <climits>

namespace kvel {

namespace {

bool isAscii(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}

} // namespace

TolerantIndex::TolerantIndex(const HeadwordIndex& headwords)
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
    for (std::uint32_t key = 0; key < keys.size(); ++key) {
        const QStringView folded = keys[key];
        if (isAscii(folded))
            continue;
        const QString form = tolerantFormOfFolded(folded.toString());
        const QString tolerant = tolerantKey(form);
        if (tolerant == folded)
            continue;
        markedKeys.append(tolerant);
        keyNumbers.push_back(key);
        // A headword in Cyrillic matches every letter of its Latin form otherwise than exactly.
        for (const QChar letter : form == folded ? lettersWrittenWithMarks(form) : tolerant + form)
            m_markedLetters.set(letter.unicode());
    }
    // Many candidates are exact matches and dropped, so more are asked for
    // than a lookup shows: longer short lists save reading on for them.
    m_marked = std::make_unique<HeadwordIndex>(std::move(markedKeys), std::move(keyNumbers),
                                               4 * kMaxResultLines);
}

std::vector<std::uint32_t> TolerantIndex::findOnlyTolerant(const HeadwordIndex& headwords,
                                                           FindMethod method,
                                                           QStringView foldedPhrase,
                                                           QStringView phraseForm, int limit) const
{
    const bool latinPhrase = phraseForm == foldedPhrase;
    if (latinPhrase && std::none_of(phraseForm.begin(), phraseForm.end(), [this](QChar c) {
            return m_markedLetters.test(c.unicode());
        })) {
        return {};
    }
    // A headword that is its own key matches only a phrase that is its own
    // key, and exactly unless the phrase was typed in Cyrillic.
    const bool plainHeadwordsMatch = !latinPhrase && tolerantKey(phraseForm) == phraseForm;

    const TolerantCandidates candidates = tolerantCandidates(phraseForm, method);
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
        for (const QString& key : candidates.keys) {
            std::vector<std::uint32_t> marked = m_marked->findKeys(candidates.method, key, wanted);
            for (std::uint32_t& number : marked)
                number = std::uint32_t(m_marked->rowIdOf(number));
            take(std::move(marked));
        }
        std::sort(found.begin(), found.end());
        found.erase(std::unique(found.begin(), found.end()), found.end());

        hits.clear();
        for (const std::uint32_t key : found) {
            if (key > complete)
                break;
            const QStringView folded = keys[key];
            if (!matchesFolded(folded, foldedPhrase, method) &&
                matchesTolerantly(tolerantFormOfFolded(folded.toString()), phraseForm, method)) {
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
    return m_marked->memoryBytes() + sizeof(m_markedLetters);
}

} // namespace kvel
