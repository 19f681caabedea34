// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "core/SearchSettings.h"
#include "lookup/index/HeadwordIndex.h"
#include "lookup/index/OwnedOrMapped.h"
#include "lookup/text/TolerantMatching.h"

#include <QString>
#include <memory>

namespace kvel {

// What tolerant search needs beside a language group's headword index. Most
// headwords (all plain English ones) are their own tolerant key, so the
// headword index finds them; only the others get a second index, of their
// keys, to keep the memory small.
class TolerantIndex
{
public:
    // With EkavianOrIjekavian (Serbian headwords), a phrase in one
    // pronunciation also finds headwords written in the other.
    TolerantIndex(const HeadwordIndex& headwords, Pronunciations pronunciations);
    // As write() left it in a mapped file.
    explicit TolerantIndex(indexfile::SectionReader& sections);
    void write(indexfile::SectionWriter& sections) const;

    // Key numbers in `headwords`, ascending, of the first `limit` headwords
    // that match the phrase tolerantly but not exactly. The phrase is given
    // folded and in its tolerant form.
    std::vector<std::uint32_t> findOnlyTolerant(const HeadwordIndex& headwords, FindMethod method,
                                                QStringView foldedPhrase, QStringView phraseForm,
                                                int limit) const;

    std::size_t memoryBytes() const;

private:
    bool isMarked(QChar letter) const
    {
        const std::size_t at = letter.unicode() / 8;
        return at < m_markedLetters.size() && (m_markedLetters[at] >> (letter.unicode() % 8)) & 1;
    }

    // The headwords whose key differs from their folded text; its row ids are
    // their key numbers in the headword index.
    std::unique_ptr<HeadwordIndex> m_marked;
    // The headwords whose key reads otherwise as ekavian, by that reading
    // (row ids as in m_marked); none but for EkavianOrIjekavian.
    std::unique_ptr<HeadwordIndex> m_ekavian;
    Pronunciations m_pronunciations;
    // The plain letters that some headword writes with marks, and the letters
    // of headwords in Cyrillic: a phrase in Latin without any of them matches
    // only exactly. One bit per UTF-16 unit, the lowest bit first.
    OwnedOrMapped<std::uint8_t> m_markedLetters;
};

} // namespace kvel
