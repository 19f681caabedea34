// SPDX-License-Identifier: GPL-2.0-or-later
// The bar's keyboard: Enter and Escape first, then the command keys.
#include "balloon/widgets/TBalloonForm.h"
#include "phrasebar/BarGeometry.h"
#include "phrasebar/LowerCaseEntry.h"
#include "phrasebar/TKvelMainForm.h"

#include <QKeyEvent>
#include <QMenu>

namespace kvel {

bool TKvelMainForm::FormKeyPress(int key)
{
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        return true; // swallowed here; its commands run with the other keys
    if (key != Qt::Key_Escape)
        return false;
    // Escape closes the translation, then clears the entry, then closes the bar.
    if (translationVisible()) {
        LngEdit->setEntryText(QString());
        BalloonForm->hide();
    } else if (LngEdit->text().isEmpty()) {
        close();
    } else {
        LngEdit->setEntryText(QString());
    }
    return true;
}

void TKvelMainForm::LngEditKeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    const BarKeyCommand command = barKeyCommand(key, modifiers);
    switch (command) {
    case BarKeyCommand::None:
        break;
    case BarKeyCommand::RememberAndFlash:
        RememberFirstEntry();
        FlashEntry();
        SpeakFirstPhrase();
        break;
    case BarKeyCommand::HelpIndex:
        HelpIndexClick();
        break;
    case BarKeyCommand::Pronounce:
        if (translationVisible()) {
            const int speech = FSpeech;
            FSpeech = 1;
            SpeakFirstPhrase();
            FSpeech = speech;
        }
        break;
    case BarKeyCommand::NextSearchLanguage:
        LngLabelDblClick();
        break;
    case BarKeyCommand::HelpKeyboard:
        HelpKeyboardClick();
        break;
    case BarKeyCommand::About:
        AboutClick();
        break;
    case BarKeyCommand::TipOfTheDay:
        HelpTipOfTheDayClick();
        break;
    case BarKeyCommand::Donations:
        HelpDonationsClick();
        break;
    case BarKeyCommand::ClearRecent:
        RecentWordsClearClick();
        break;
    case BarKeyCommand::SwitchInterfaceLanguage:
        if (FInterfaceLang == 1)
            InterfaceSerbianClick();
        else
            InterfaceEnglishClick();
        break;
    case BarKeyCommand::CopyPhrase:
    case BarKeyCommand::CopyMeanings:
    case BarKeyCommand::CopyPhraseAndMeanings:
        if (translationVisible() && FirstEntryShown()) {
            CopyFirstEntry(command == BarKeyCommand::CopyPhrase     ? CopyMode::Phrase
                           : command == BarKeyCommand::CopyMeanings ? CopyMode::Meanings
                                                                    : CopyMode::PhraseAndMeanings);
        }
        break;
    case BarKeyCommand::ToggleLock:
        if (translationVisible()) {
            BalloonForm->setLocked(!BalloonForm->locked());
            BalloonForm->ApplyLockState();
        }
        break;
    case BarKeyCommand::StepUp:
    case BarKeyCommand::StepDown:
    case BarKeyCommand::StepLeft:
    case BarKeyCommand::StepRight:
    case BarKeyCommand::EdgeTop:
    case BarKeyCommand::EdgeBottom:
    case BarKeyCommand::EdgeLeft:
    case BarKeyCommand::EdgeRight:
        moveBarTo(movedBar(pos(), size(), screenRect(), command));
        RefreshTranslation();
        break;
    case BarKeyCommand::FindBegins:
        SelectFindMethod(FindMethod::Begins);
        break;
    case BarKeyCommand::FindContains:
        SelectFindMethod(FindMethod::Contains);
        break;
    case BarKeyCommand::FindEnds:
        SelectFindMethod(FindMethod::Ends);
        break;
    case BarKeyCommand::FindWhole:
        SelectFindMethod(FindMethod::Whole);
        break;
    case BarKeyCommand::PopupMenu:
        LngPopupMenu->popup(mapToGlobal(QPoint(0, height())));
        break;
    }
    if (isVisible())
        LngEdit->setFocus();
}

} // namespace kvel
