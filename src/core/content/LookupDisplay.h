// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace kvel {

// What the translation window shows; the number is part of how it lays it out.
enum class ContentKind
{
    Results = 0,
    HelpFileError = 1,
    KeyboardList = 2,
    Tip = 3,
    Donations = 4,
    About = 5,
    DataAccessNotice = 6,
    DictionaryVersionNotice = 7,
    MissingDictionaryNotice = 8,
    NoMatches = 9,
    QueryFailed = 10,
};

namespace Bitmap {
inline constexpr int Error = 31000;
inline constexpr int OneHit = 31001;
inline constexpr int NoMatch = 31002;
inline constexpr int SeveralHits = 31003;
} // namespace Bitmap

// The outcome of one lookup: either the window closes, or it shows these lines
// (in mark-up form: "word~0meaning" for English heads, "~1" for Serbian).
struct LookupDisplay
{
    bool closed = true;
    ContentKind kind = ContentKind::Results;
    int bitmapId = 0;
    QString caption;
    QStringList lines;
    // For results, the same lines with every entry's meanings whole where
    // `lines` shows them cut; copying takes them from here.
    QStringList wholeLines = {};

    static LookupDisplay closeWindow() { return {}; }
    bool operator==(const LookupDisplay&) const = default;
};

} // namespace kvel
