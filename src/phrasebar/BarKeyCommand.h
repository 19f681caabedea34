// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <Qt>

namespace kvel {

// The commands the phrase bar's entry answers, whatever state the bar is in;
// the bar checks each command's own condition (window visible ...) itself.
enum class BarKeyCommand
{
    None,
    RememberAndFlash, // Enter
    HelpIndex,        // F1
    Pronounce,        // Alt+Z
    NextSearchLanguage,
    HelpKeyboard,
    About,
    TipOfTheDay,
    Donations,
    ClearRecent,
    SwitchInterfaceLanguage,
    CopyPhrase,
    CopyMeanings,
    CopyPhraseAndMeanings,
    ToggleLock,
    StepUp,
    StepDown,
    StepLeft,
    StepRight,
    EdgeTop,
    EdgeBottom,
    EdgeLeft,
    EdgeRight,
    FindBegins,
    FindContains,
    FindEnds,
    FindWhole,
    PopupMenu,
};

// Alt with a key means Alt is held (Shift and Ctrl may be too); the arrows
// move in steps with Ctrl+Alt and to the screen's edges with Alt alone.
BarKeyCommand barKeyCommand(int key, Qt::KeyboardModifiers modifiers);

} // namespace kvel
