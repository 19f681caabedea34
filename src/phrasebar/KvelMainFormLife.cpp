// SPDX-License-Identifier: GPL-2.0-or-later
// The bar's life: settings in and out, the first show and activation, the
// requests of a second start, closing and shutting down.
#include "balloon/widgets/TBalloonForm.h"
#include "core/strings/StringTable.h"
#include "core/text/PhraseNormalizer.h"
#include "lookup/store/ConvertingDictionaryStore.h"
#include "phrasebar/BarClipboard.h"
#include "phrasebar/BarDictionary.h"
#include "phrasebar/BarNotices.h"
#include "phrasebar/DesktopIntegration.h"
#include "phrasebar/DictionaryReadiness.h"
#include "phrasebar/LowerCaseEntry.h"
#include "phrasebar/TKvelMainForm.h"
#include "phrasebar/TrayPresence.h"
#include "shell/keyboard/CentralEuropeanLocale.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QTimer>

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
    // The keyboard list names the hot key and its state: keep it current.
    if (translationVisible() && BalloonForm->contentKind() == ContentKind::KeyboardList)
        m_help->showKeyboardList();
}

void TKvelMainForm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_firstShowDone)
        FormShow();
    // Frameless windows may never be given focus by the window manager, so
    // the first-activation work does not wait for it.
    QTimer::singleShot(0, this, [this] {
        if (!m_firstActivationDone)
            FormActivate();
    });
}

bool TKvelMainForm::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate) {
        if (!m_firstActivationDone)
            FormActivate();
        if (m_prefs.flag(Preference::AdjustKeyboard))
            m_languages->applyKeyboardLayout();
    } else if (event->type() == QEvent::WindowDeactivate) {
        m_languages->restoreKeyboardLayout();
    }
    return QWidget::event(event);
}

void TKvelMainForm::FormShow()
{
    if (!m_prefs.flag(Preference::ClipboardWatchingOff))
        ApplyClipboardViewer();
    m_clipboard->setReady();
    m_firstShowDone = true;
    m_readiness->checkOnFirstShow();
}

void TKvelMainForm::firstShowChecksPassed()
{
    if (!m_prefs.flag(Preference::AutoStart) && !m_prefs.flag(Preference::ToTray)) {
        if (m_prefs.flag(Preference::SmartClipboard))
            LookupClipboard();
        else if (m_prefs.flag(Preference::ShowTips))
            m_help->showNextTip();
    }
}

void TKvelMainForm::FormActivate()
{
    m_firstActivationDone = true;
    FCodePageHint = IsCentralEuropeanCodePage() ? QString() : LoadLngText(StringId::CodePageHint);
    m_presence->setCodePageHint(FCodePageHint);
    // Words handed to a first start are looked up whether or not the bar
    // starts in the tray.
    const int handedOverWords = m_requests->readHandedOverWords();
    m_presence->startInTray(handedOverWords != 0);
    m_notices->showDesktopNotice();
    m_notices->showSettingsNotice(m_settingsFile.readable(), trayModeActive());
    if (handedOverWords > 0)
        QTimer::singleShot(0, this, [this] { m_requests->showHandedOverWords(); });
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
