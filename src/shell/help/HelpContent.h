// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "core/content/LookupDisplay.h"

#include <QString>
#include <QStringList>
#include <Qt>

namespace kvel {

namespace Bitmap {
inline constexpr int HelpFile = 31005;
inline constexpr int Tip = 31006;
inline constexpr int About = 31007;
inline constexpr int Keyboard = 31010;
inline constexpr int Donations = 31011;
} // namespace Bitmap

// One help text as the translation window shows it: mark-up lines ("~2" after a
// label or key name) in the current interface language.
struct HelpContent
{
    ContentKind kind = ContentKind::HelpFileError;
    int bitmapId = 0;
    QString caption;
    QStringList lines;
    Qt::Alignment alignment = Qt::AlignHCenter;

    bool operator==(const HelpContent&) const = default;
};

// Why F1 could not show the help file.
enum class HelpFileProblem
{
    Missing,  // no help file beside the program
    NoViewer, // nothing on the desktop could open it
};

// The shortcut reminder; the last line names the hot key (0..3 = Alt+F9..Alt+F12)
// and whether it is on, so the bar rebuilds it whenever either changes.
HelpContent keyboardListContent(int hotKey, bool hookOn);

// Tip `tipIndex` (0 <= index < TipCount, see TipOfTheDay.h).
HelpContent tipContent(int tipIndex);

HelpContent donationsContent();

// `dictionaryVersion` as the store reads it; empty shows "N/A".
HelpContent aboutContent(const QString& dictionaryVersion);

HelpContent helpFileErrorContent(HelpFileProblem problem);

} // namespace kvel
