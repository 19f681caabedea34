// SPDX-License-Identifier: GPL-2.0-or-later
#include "phrasebar/BarKeyCommand.h"

#include <gtest/gtest.h>

using namespace kvel;

TEST(BarKeyCommand, KeysAndModifiers)
{
    const Qt::KeyboardModifiers alt = Qt::AltModifier;
    const Qt::KeyboardModifiers ctrlAlt = Qt::AltModifier | Qt::ControlModifier;
    struct Case
    {
        int key;
        Qt::KeyboardModifiers modifiers;
        BarKeyCommand command;
    };
    const Case cases[] = {
        {Qt::Key_Return, Qt::NoModifier, BarKeyCommand::RememberAndFlash},
        {Qt::Key_Enter, Qt::KeypadModifier, BarKeyCommand::RememberAndFlash},
        {Qt::Key_Return, ctrlAlt, BarKeyCommand::RememberAndFlash},
        {Qt::Key_F1, Qt::ShiftModifier, BarKeyCommand::HelpIndex},
        {Qt::Key_Z, alt, BarKeyCommand::Pronounce},
        {Qt::Key_Z, Qt::NoModifier, BarKeyCommand::None}, // plain letters are text
        {Qt::Key_L, alt | Qt::ShiftModifier, BarKeyCommand::NextSearchLanguage},
        {Qt::Key_I, alt, BarKeyCommand::SwitchInterfaceLanguage},
        {Qt::Key_1, alt, BarKeyCommand::CopyPhrase},
        {Qt::Key_3, alt, BarKeyCommand::CopyPhraseAndMeanings},
        {Qt::Key_S, alt, BarKeyCommand::ToggleLock},
        {Qt::Key_W, alt, BarKeyCommand::FindWhole},
        {Qt::Key_U, alt, BarKeyCommand::PopupMenu},
        {Qt::Key_Up, alt, BarKeyCommand::EdgeTop},
        {Qt::Key_Up, ctrlAlt, BarKeyCommand::StepUp},
        {Qt::Key_Right, ctrlAlt | Qt::ShiftModifier, BarKeyCommand::StepRight},
        {Qt::Key_Left, Qt::ControlModifier, BarKeyCommand::None}, // Ctrl alone edits
        {Qt::Key_A, Qt::ControlModifier, BarKeyCommand::None},
        {Qt::Key_Q, alt, BarKeyCommand::None},
    };
    for (const Case& c : cases)
        EXPECT_EQ(barKeyCommand(c.key, c.modifiers), c.command) << c.key;
}
