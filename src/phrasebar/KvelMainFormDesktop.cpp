// SPDX-License-Identifier: GPL-2.0-or-later
// Living on the desktop: the tray, clipboard watching, dropped text, the hot
// key and the notices of what this desktop or the settings file keep from Kvel.
#include "core/content/ContentMarkup.h"
#include "core/strings/StringTable.h"
#include "phrasebar/BarCommands.h"
#include "phrasebar/BarMenus.h"
#include "phrasebar/DesktopIntegration.h"
#include "phrasebar/LowerCaseEntry.h"
#include "phrasebar/TKvelMainForm.h"
#include "phrasebar/TrayPresence.h"
#include "shell/clipboard/ClipboardWatcher.h"
#include "shell/drop/TTextDropTarget.h"
#include "shell/wayland/DesktopNotice.h"
#include "shell/wayland/DesktopProbe.h"

#include <QMenu>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace kvel {

namespace {

constexpr int kBalloonTimeoutMs = 15000;
constexpr int kBalloonTitleMax = 63;
constexpr int kBalloonTextMax = 255;

} // namespace

void TKvelMainForm::connectDesktop(ClipboardReader* clipboardReader)
{
    connect(m_tray, &TrayIcon::leftClicked, this, &TKvelMainForm::TrayLeftClick);
    connect(m_tray, &TrayIcon::rightClicked, this, &TKvelMainForm::TrayRightClick);
    connect(m_presence, &TrayPresence::hidingBar, this, [this] {
        if (BalloonForm)
            BalloonForm->hide();
    });

    m_clipboard = new ClipboardWatcher(this, clipboardReader);
    connect(m_clipboard, &ClipboardWatcher::textCopied, this, &TKvelMainForm::ClipboardChanged);
    // A paste waits for the clipboard's owner in the background; an entry
    // changed meanwhile keeps what the user made of it.
    connect(LngEdit, &LowerCaseEntry::pasteRequested, this, [this](QClipboard::Mode mode) {
        const QString entryBefore = LngEdit->text();
        m_clipboard->readText(mode, [this, entryBefore](const QString& text) {
            if (LngEdit->text() == entryBefore)
                LngEdit->insert(text);
        });
    });

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
    connect(m_menus, &BarMenus::recentPhraseChosen, this, &TKvelMainForm::RecentPhraseChosen);
    connect(m_menus->mainMenu(), &QMenu::aboutToShow, this, &TKvelMainForm::LngPopupMenuPopup);
    connect(m_menus->trayMenu(), &QMenu::aboutToShow, this, &TKvelMainForm::TrayPopupMenuPopup);
}

void TKvelMainForm::TrayRightClick(QPoint globalPos)
{
    if (barShown()) {
        close();
        return;
    }
    m_menus->trayMenu()->popup(globalPos);
}

void TKvelMainForm::ToTrayClick(bool checked)
{
    m_presence->setTrayMode(checked);
    captionMenus();
}

void TKvelMainForm::showDesktopNotice()
{
    // Once per user: what this desktop cannot do, and what to do instead.
    if (m_prefs.flag(Preference::DesktopNoticeShown) || !onRealDesktop())
        return;
    const SessionInfo session = currentSession();
    if (session.type != SessionType::Wayland)
        return;
    const bool tray = m_tray->isAvailable();
    const std::optional<DesktopNotice> notice =
        desktopNoticeFor(session, probeDesktop(session, tray), false);
    if (!notice)
        return;
    m_prefs.setFlag(Preference::DesktopNoticeShown, true);
    if (tray) {
        // After the welcome balloon of a first run, not in its place.
        const int delayMs = IsFirstRun(m_paths.settingsFile) ? kBalloonTimeoutMs : 0;
        QTimer::singleShot(delayMs, this, [this, notice = *notice] {
            m_tray->showBalloon(notice.title.left(kBalloonTitleMax),
                                notice.text().left(kBalloonTextMax), TrayIcon::BalloonIcon::Warning,
                                kBalloonTimeoutMs);
        });
        return;
    }
    // Shown like the other notices, and replaced by the next lookup.
    BalloonForm->ShowContent(
        textContent(ContentKind::DesktopNotice, ImageId::About, notice->title, notice->lines),
        geometry(), balloonOptions(false));
}

void TKvelMainForm::showSettingsNotice()
{
    // Once per run: nothing can be stored while the file cannot be read.
    if (m_settingsFile.readable())
        return;
    const QString title = LoadLngText(StringId::ProgramTitle);
    const QString text = LoadLngText(StringId::SettingsUnreadable);
    if (trayModeActive()) {
        m_tray->showBalloon(title.left(kBalloonTitleMax), text.left(kBalloonTextMax),
                            TrayIcon::BalloonIcon::Warning, kBalloonTimeoutMs);
        return;
    }
    // Shown like the other notices, and replaced by the next lookup.
    BalloonForm->ShowContent(textContent(ContentKind::DesktopNotice, ImageId::About, title, {text}),
                             geometry(), balloonOptions(false));
}

void TKvelMainForm::ApplyClipboardViewer()
{
    const bool watch = !m_prefs.flag(Preference::ClipboardWatchingOff);
    const bool wasWatching = m_clipboard->isWatching();
    m_clipboard->setWatching(watch);
    // Starting to watch reports what is on the clipboard at that moment.
    if (watch && !wasWatching && FClipboardReady) {
        m_clipboard->readText(QClipboard::Clipboard, [this](const QString& text) {
            if (m_clipboard->isWatching())
                ClipboardChanged(text);
        });
    }
}

void TKvelMainForm::ClipboardChanged(const QString& text)
{
    if (!FClipboardReady)
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
    const QString entryBefore = LngEdit->text();
    const auto lookUp = [this, entryBefore, remember](const QString& text) {
        if (!barShown() || !isVisible() || LngEdit->text() != entryBefore)
            return;
        EnterPhraseFromOutside(text);
        if (remember)
            RememberFirstEntry();
    };
    m_clipboard->readText(QClipboard::Clipboard, lookUp);
}

void TKvelMainForm::HotKeyPressed(const QString& keyName)
{
    if (m_integration->isChosenHotKey(keyName))
        handleInstanceRequest(InstanceRequest::ToggleBar);
}

} // namespace kvel
