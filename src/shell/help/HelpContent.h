// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "core/content/BalloonContent.h"

// The help texts the translation window shows, in the current interface
// language: one help line per line of their texts, labelled where the texts
// mark a label or key name.

namespace kvel {

// Why F1 could not show the help file.
enum class HelpFileProblem
{
    Missing,  // no help file beside the program
    NoViewer, // nothing on the desktop could open it
};

// Where the hot key stands: off, caught, or on but held by another program.
enum class HotKeyState
{
    Off,
    On,
    Taken,
};

// The shortcut reminder; the last line names the hot key (0..3 = Alt+F9..Alt+F12)
// and its state, so the bar rebuilds it whenever either changes.
BalloonContent keyboardListContent(int hotKey, HotKeyState state);

// Tip `tipIndex` (0 <= index < TipCount, see TipOfTheDay.h).
BalloonContent tipContent(int tipIndex);

BalloonContent donationsContent();

// `dictionaryVersion` as the store reads it, shown as it is on one help line;
// empty shows "N/A".
BalloonContent aboutContent(const QString& dictionaryVersion);

BalloonContent helpFileErrorContent(HelpFileProblem problem);

} // namespace kvel
