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
        BarCommand command;
    };
    const Case cases[] = {
        {Qt::Key_Return, Qt::NoModifier, BarCommand::RememberAndFlash},
        {Qt::Key_Enter, Qt::KeypadModifier, BarCommand::RememberAndFlash},
        {Qt::Key_Return, ctrlAlt, BarCommand::RememberAndFlash},
        {Qt::Key_F1, Qt::ShiftModifier, BarCommand::HelpIndex},
        {Qt::Key_Z, alt, BarCommand::Pronounce},
        {Qt::Key_Z, Qt::NoModifier, BarCommand::None}, // plain letters are text
        {Qt::Key_L, alt | Qt::ShiftModifier, BarCommand::NextSearchLanguage},
        {Qt::Key_I, alt, BarCommand::SwitchInterfaceLanguage},
        {Qt::Key_1, alt, BarCommand::CopyPhrase},
        {Qt::Key_3, alt, BarCommand::CopyPhraseAndMeanings},
        {Qt::Key_S, alt, BarCommand::ToggleLock},
        {Qt::Key_W, alt, BarCommand::FindWhole},
        {Qt::Key_U, alt, BarCommand::PopupMenu},
        {Qt::Key_Up, alt, BarCommand::EdgeTop},
        {Qt::Key_Up, ctrlAlt, BarCommand::StepUp},
        {Qt::Key_Right, ctrlAlt | Qt::ShiftModifier, BarCommand::StepRight},
        {Qt::Key_Left, Qt::ControlModifier, BarCommand::None}, // Ctrl alone edits
        {Qt::Key_A, Qt::ControlModifier, BarCommand::None},
        {Qt::Key_Q, alt, BarCommand::None},
    };
    for (const Case& c : cases)
        EXPECT_EQ(barKeyCommand(c.key, c.modifiers), c.command) << c.key;
}
