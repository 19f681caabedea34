// SPDX-License-Identifier: GPL-2.0-or-later
#include "phrasebar/BarKeyCommand.h"

namespace kvel {

BarKeyCommand barKeyCommand(int key, Qt::KeyboardModifiers modifiers)
{
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        return BarKeyCommand::RememberAndFlash;
    if (key == Qt::Key_F1)
        return BarKeyCommand::HelpIndex;
    if (!modifiers.testFlag(Qt::AltModifier))
        return BarKeyCommand::None;

    const bool ctrl = modifiers.testFlag(Qt::ControlModifier);
    switch (key) {
    case Qt::Key_Up:
        return ctrl ? BarKeyCommand::StepUp : BarKeyCommand::EdgeTop;
    case Qt::Key_Down:
        return ctrl ? BarKeyCommand::StepDown : BarKeyCommand::EdgeBottom;
    case Qt::Key_Left:
        return ctrl ? BarKeyCommand::StepLeft : BarKeyCommand::EdgeLeft;
    case Qt::Key_Right:
        return ctrl ? BarKeyCommand::StepRight : BarKeyCommand::EdgeRight;
    case Qt::Key_Z:
        return BarKeyCommand::Pronounce;
    case Qt::Key_L:
        return BarKeyCommand::NextSearchLanguage;
    case Qt::Key_K:
        return BarKeyCommand::HelpKeyboard;
    case Qt::Key_A:
        return BarKeyCommand::About;
    case Qt::Key_T:
        return BarKeyCommand::TipOfTheDay;
    case Qt::Key_D:
        return BarKeyCommand::Donations;
    case Qt::Key_H:
        return BarKeyCommand::ClearRecent;
    case Qt::Key_I:
        return BarKeyCommand::SwitchInterfaceLanguage;
    case Qt::Key_1:
        return BarKeyCommand::CopyPhrase;
    case Qt::Key_2:
        return BarKeyCommand::CopyMeanings;
    case Qt::Key_3:
        return BarKeyCommand::CopyPhraseAndMeanings;
    case Qt::Key_S:
        return BarKeyCommand::ToggleLock;
    case Qt::Key_B:
        return BarKeyCommand::FindBegins;
    case Qt::Key_C:
        return BarKeyCommand::FindContains;
    case Qt::Key_E:
        return BarKeyCommand::FindEnds;
    case Qt::Key_W:
        return BarKeyCommand::FindWhole;
    case Qt::Key_U:
        return BarKeyCommand::PopupMenu;
    default:
        return BarKeyCommand::None;
    }
}

} // namespace kvel
