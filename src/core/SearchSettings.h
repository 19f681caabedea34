// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

namespace kvel {

// Codes as stored in the settings file: Selected/Language and Find/Mask.
enum class SearchLanguage
{
    Both = 0,
    English = 1,
    Serbian = 2
};
enum class FindMethod
{
    Begins = 0,
    Contains = 1,
    Ends = 2,
    Whole = 3
};
enum class Matching
{
    Exact,   // letters with their marks, as the dictionary format compares them
    Tolerant // also without marks, in Cyrillic, ekavian or ijekavian: see TolerantMatching.h
};
enum class Inflection
{
    PhraseOnly,          // the phrase as typed
    WithDictionaryForms, // a single word also by its dictionary forms: see DictionaryForms.h
};

// The Selected value of a row whose Word is English (its meanings are Serbian).
inline constexpr int kEnglishHeadword = -1;
inline constexpr int kSerbianHeadword = 0;

// A lookup shows the first hits of the table's order, never more than this.
inline constexpr int kMaxResultLines = 15;

} // namespace kvel
