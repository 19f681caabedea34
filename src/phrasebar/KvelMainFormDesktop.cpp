// SPDX-License-Identifier: GPL-2.0-or-later
// Living on the desktop: the tray, clipboard watching, dropped text, the hot
// key, the menus' commands and the states they show.
#include "lookup/forms/HunspellForms.h"
#include "phrasebar/BarClipboard.h"
#include "phrasebar/BarCommands.h"
#include "phrasebar/BarDictionary.h"
#include "phrasebar/BarMenus.h"
#include "phrasebar/BarNotices.h"
#include "phrasebar/DesktopIntegration.h"
#include "phrasebar/LowerCaseEntry.h"
#include "phrasebar/TKvelMainForm.h"
#include "phrasebar/TrayPresence.h"
#include "shell/drop/TTextDropTarget.h"

#include <QMenu>

namespace kvel {

void TKvelMainForm::connectDesktop(ClipboardReader* clipboardReader)
{
    connect(m_tray, &TrayIcon::leftClicked, this, &TKvelMainForm::TrayLeftClick);
    connect(m_tray, &TrayIcon::rightClicked, this,
            [this](QPoint at) { m_presence->rightClicked(at, *m_menus->trayMenu()); });
    connect(m_presence, &TrayPresence::hidingBar, this, [this] {
        if (BalloonForm)
            BalloonForm->hide();
    });

    m_clipboard = new BarClipboard(*LngEdit, clipboardReader, this);
    connect(m_clipboard, &BarClipboard::textCopied, this, &TKvelMainForm::ClipboardChanged);

    connect(&m_integration->hotKey(), &GlobalHotKey::hotKeyPressed, this,
            &TKvelMainForm::HotKeyPressed);

    FDropTarget = new TTextDropTarget(this);
    FDropTarget->SetDropTarget(LngEdit);
    connect(FDropTarget, &TTextDropTarget::OnDrop, this,
            [this](QWidget*, QPoint, Qt::KeyboardModifiers, const QString& text) {
                TextDropped(text);
            });

    connect(m_menus, &BarMenus::commandChosen, this,
            [this](BarCommand command, bool checked) { m_commands->run(command, checked); });
    connect(m_menus, &BarMenus::recentPhraseChosen, this,
            [this](SearchLanguage list, const QString& caption) {
                m_languages->chooseRecentPhrase(list, caption);
            });
    connect(m_menus->mainMenu(), &QMenu::aboutToShow, this, &TKvelMainForm::LngPopupMenuPopup);
    connect(m_menus->trayMenu(), &QMenu::aboutToShow, this, &TKvelMainForm::TrayPopupMenuPopup);
}

void TKvelMainForm::ToTrayClick(bool checked)
{
    m_presence->setTrayMode(checked);
    m_languages->captionMenus();
}

void TKvelMainForm::ApplyClipboardViewer()
{
    m_clipboard->setWatching(!m_prefs.flag(Preference::ClipboardWatchingOff));
}

void TKvelMainForm::ClipboardChanged(const QString& text)
{
    if (!m_clipboard->ready())
        return;
    if (!barShown() || !isVisible())
        AppRestore();
    raise();
    EnterPhraseFromOutside(text);
    RememberFirstEntry();
}

void TKvelMainForm::LookupClipboard(bool remember)
{
    // The clipboard's owner may answer late: by then the bar may be closed,
    // or the user typing a phrase of their own, which the answer must not replace.
    m_clipboard->readUnlessTyped([this, remember](const QString& text) {
        if (!barShown() || !isVisible())
            return;
        EnterPhraseFromOutside(text);
        if (remember)
            RememberFirstEntry();
    });
}

void TKvelMainForm::LngPopupMenuPopup()
{
    m_commands->showMainMenuStates(m_dictionary.forms().available());
}

void TKvelMainForm::HotKeyPressed(const QString& keyName)
{
    if (m_integration->isChosenHotKey(keyName))
        m_requests->handle(InstanceRequest::ToggleBar);
}

void TKvelMainForm::NoticeHotKeyTaken()
{
    if (m_integration->hotKeyTaken())
        m_notices->showHotKeyTaken(m_presence->trayModeActive());
}

} // namespace kvel
