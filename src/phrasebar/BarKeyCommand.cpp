// SPDX-License-Identifier: GPL-2.0-or-later
#include "phrasebar/BarKeyCommand.h"

namespace kvel {

BarCommand barKeyCommand(int key, Qt::KeyboardModifiers modifiers)
{
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        return BarCommand::RememberAndFlash;
    if (key == Qt::Key_F1)
        return BarCommand::HelpIndex;
    if (!modifiers.testFlag(Qt::AltModifier))
        return BarCommand::None;

    const bool ctrl = modifiers.testFlag(Qt::ControlModifier);
    switch (key) {
    case Qt::Key_Up:
        return ctrl ? BarCommand::StepUp : BarCommand::EdgeTop;
    case Qt::Key_Down:
        return ctrl ? BarCommand::StepDown : BarCommand::EdgeBottom;
    case Qt::Key_Left:
        return ctrl ? BarCommand::StepLeft : BarCommand::EdgeLeft;
    case Qt::Key_Right:
        return ctrl ? BarCommand::StepRight : BarCommand::EdgeRight;
    case Qt::Key_Z:
        return BarCommand::Pronounce;
    case Qt::Key_L:
        return BarCommand::NextSearchLanguage;
    case Qt::Key_K:
        return BarCommand::HelpKeyboard;
    case Qt::Key_A:
        return BarCommand::About;
    case Qt::Key_T:
        return BarCommand::TipOfTheDay;
    case Qt::Key_D:
        return BarCommand::Donations;
    case Qt::Key_H:
        return BarCommand::ClearRecent;
    case Qt::Key_I:
        return BarCommand::SwitchInterfaceLanguage;
    case Qt::Key_1:
        return BarCommand::CopyPhrase;
    case Qt::Key_2:
        return BarCommand::CopyMeanings;
    case Qt::Key_3:
        return BarCommand::CopyPhraseAndMeanings;
    case Qt::Key_S:
        return BarCommand::ToggleLock;
    case Qt::Key_B:
        return BarCommand::FindBegins;
    case Qt::Key_C:
        return BarCommand::FindContains;
    case Qt::Key_E:
        return BarCommand::FindEnds;
    case Qt::Key_W:
        return BarCommand::FindWhole;
    case Qt::Key_U:
        return BarCommand::PopupMenu;
    default:
        return BarCommand::None;
    }
}

} // namespace kvel
