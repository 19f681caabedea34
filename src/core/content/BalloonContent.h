// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <Qt>
#include <optional>

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
    // What the desktop or the settings file keeps Kvel from doing; it looks
    // like "no matches" under the About image and the next lookup replaces it.
    DesktopNotice = 11,
};

// The window's 16 x 16 images; the number names the picture's file.
enum class ImageId
{
    None = 0,
    Error = 31000,
    OneHit = 31001,
    NoMatch = 31002,
    SeveralHits = 31003,
    HelpFile = 31005,
    Tip = 31006,
    About = 31007,
    Locked = 31008,
    Unlocked = 31009,
    Keyboard = 31010,
    Donations = 31011,
};

// The language of an entry's headword, which also gives its colour.
enum class HeadLanguage
{
    English,
    Serbian,
};

// One dictionary row as the window shows it.
struct DictionaryEntry
{
    QString headword;
    HeadLanguage language = HeadLanguage::English;
    // Shown cut when very long; copying takes `wholeMeanings`.
    QString meanings;
    QString wholeMeanings;

    bool operator==(const DictionaryEntry&) const = default;
};

// One line of a help text or notice, with an optional label drawn bold in
// front of it ("Alt+L" of the keyboard list); a label may be empty.
struct HelpLine
{
    std::optional<QString> label;
    QString text;

    bool operator==(const HelpLine&) const = default;
};

// Everything one showing of the window needs to know: results hold entries,
// every other kind holds help lines.
struct BalloonContent
{
    ContentKind kind = ContentKind::Results;
    ImageId image = ImageId::None;
    QString caption;
    QList<DictionaryEntry> entries = {};
    QList<HelpLine> helpLines = {};
    Qt::Alignment alignment = Qt::AlignLeft;

    // The entry the bar's copy, remember and pronounce commands work on: the
    // first result, when it has a headword.
    const DictionaryEntry* firstEntry() const
    {
        if (kind != ContentKind::Results || entries.isEmpty() || entries[0].headword.isEmpty())
            return nullptr;
        return &entries[0];
    }

    bool operator==(const BalloonContent&) const = default;
};

} // namespace kvel
