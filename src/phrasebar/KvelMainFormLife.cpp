// SPDX-License-Identifier: GPL-2.0-or-later
// The bar's life: preferences that change, its window's show, activation and
// close, each handed to the object that does the work.
#include "balloon/widgets/TBalloonForm.h"
#include "core/text/PhraseNormalizer.h"
#include "phrasebar/BarClipboard.h"
#include "phrasebar/BarStartup.h"
#include "phrasebar/LowerCaseEntry.h"
#include "phrasebar/TKvelMainForm.h"

#include <QCloseEvent>

namespace kvel {

void TKvelMainForm::PreferenceChanged(Preference preference)
{
    switch (preference) {
    case Preference::SensitiveTranslation:
    case Preference::LockedTranslation:
    case Preference::WrapTranslation:
    case Preference::Tolerant:
    case Preference::Forms:
        LngEditChange();
        break;
    case Preference::ClipboardWatchingOff:
        ApplyClipboardViewer();
        break;
    case Preference::HotKeyOn:
        HotKeyChosen();
        break;
    default:
        break;
    }
}

void TKvelMainForm::HotKeyChosen()
{
    ApplyHook();
    NoticeHotKeyTaken();
    // The keyboard list names the hot key and its state: keep it current.
    if (translationVisible() && BalloonForm->contentKind() == ContentKind::KeyboardList)
        m_help->showKeyboardList();
}

void TKvelMainForm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    m_startup->barShown();
}

bool TKvelMainForm::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate) {
        if (m_startup)
            m_startup->barActivated();
        if (m_prefs.flag(Preference::AdjustKeyboard))
            m_languages->applyKeyboardLayout();
    } else if (event->type() == QEvent::WindowDeactivate) {
        m_languages->restoreKeyboardLayout();
    }
    return QWidget::event(event);
}

void TKvelMainForm::closeEvent(QCloseEvent* event)
{
    m_shutdown->close(*event);
}

void TKvelMainForm::setEntryText(const QString& text)
{
    // A picked phrase may start with the blank after a ';'; a leading blank
    // would close the window instead of looking the phrase up.
    LngEdit->setEntryText(trimControl(text));
}

} // namespace kvel
