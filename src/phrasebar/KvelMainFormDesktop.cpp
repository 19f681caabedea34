// SPDX-License-Identifier: GPL-2.0-or-later
// Living on the desktop: the tray icon, clipboard watching and dropped text.
#include "core/content/ContentMarkup.h"
#include "core/strings/StringTable.h"
#include "phrasebar/LowerCaseEntry.h"
#include "phrasebar/TKvelMainForm.h"
#include "shell/clipboard/ClipboardWatcher.h"
#include "shell/drop/TTextDropTarget.h"
#include "shell/help/TipOfTheDay.h"
#include "shell/hotkey/GlobalHotKey.h"
#include "shell/hotkey/HotKeyNames.h"
#include "shell/settings/KvelSettings.h"
#include "shell/wayland/DesktopNotice.h"
#include "shell/wayland/DesktopProbe.h"

#include <QDate>
#include <QMenu>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace kvel {

namespace {

constexpr int kBalloonTimeoutMs = 15000;
constexpr int kBalloonTitleMax = 63;
constexpr int kBalloonTextMax = 255;

} // namespace

void TKvelMainForm::buildDesktopServices(DesktopServices& desktop)
{
    m_tray = desktop.tray.release();
    m_tray->setParent(this);
    connect(m_tray, &TrayIcon::leftClicked, this, &TKvelMainForm::TrayLeftClick);
    connect(m_tray, &TrayIcon::rightClicked, this, &TKvelMainForm::TrayRightClick);
    connect(m_tray, &TrayIcon::availabilityChanged, this, &TKvelMainForm::TrayAvailabilityChanged);

    m_clipboard = new ClipboardWatcher(this, desktop.clipboard.release());
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

    m_hotKey = desktop.hotKey.release();
    m_hotKey->setParent(this);
    HookMsg = m_hotKey->GetHookMsg();
    connect(m_hotKey, &GlobalHotKey::hotKeyPressed, this, &TKvelMainForm::HotKeyPressed);
    m_keyboard = std::move(desktop.keyboard);
    m_helpDesktop = std::move(desktop.help);
    m_windowEffects = std::move(desktop.windowEffects);

    FDropTarget = new TTextDropTarget(this);
    FDropTarget->SetDropTarget(LngEdit);
    connect(FDropTarget, &TTextDropTarget::OnDrop, this,
            [this](QWidget*, QPoint, Qt::KeyboardModifiers, const QString& text) {
                TextDropped(text);
            });
}

bool TKvelMainForm::windowOpacityShows() const
{
    return m_windowEffects->opacityShows();
}

bool TKvelMainForm::trayModeActive() const
{
    // Without a tray host, tray mode would leave an invisible program: it acts
    // as off until a tray appears, and the stored setting stays as it is.
    return FToTray == 1 && m_tray && m_tray->isAvailable();
}

void TKvelMainForm::AddTrayIcon()
{
    if (!m_tray || !m_tray->isAvailable())
        return;
    m_tray->show(true, LoadLngText(StringId::ProgramTitle));
    if (IsFirstRun(m_paths.settingsFile)) {
        const QString title = LoadLngText(StringId::ProgramTitle) + u", v"_s +
                              LoadText(StringId::ProgramVersion) + u"."_s +
                              LoadText(StringId::ProgramBuild);
        QString text = LoadLngText(StringId::ProgramThanks);
        if (!FCodePageHint.isEmpty())
            text += u"\r\n\r\n"_s + FCodePageHint;
        m_tray->showBalloon(title.left(kBalloonTitleMax), text.left(kBalloonTextMax),
                            TrayIcon::BalloonIcon::Information, kBalloonTimeoutMs);
    }
}

void TKvelMainForm::SetTrayIconState(bool hidden)
{
    if (m_tray && m_tray->isShown())
        m_tray->show(hidden,
                     LoadLngText(hidden ? StringId::ProgramTitle : StringId::ProgramAlreadyOpen));
}

void TKvelMainForm::DeleteTrayIcon()
{
    if (m_tray)
        m_tray->remove();
}

void TKvelMainForm::AppMinimize()
{
    if (!trayModeActive())
        return;
    FBarShown = false;
    SetTrayIconState(true);
    if (BalloonForm)
        BalloonForm->hide();
    hide();
}

void TKvelMainForm::AppRestore()
{
    FBarShown = true;
    if (FToTray == 1)
        SetTrayIconState(false);
    show();
}

void TKvelMainForm::TrayLeftClick()
{
    OpenBar();
}

void TKvelMainForm::TrayRightClick(QPoint globalPos)
{
    if (FBarShown) {
        close();
        return;
    }
    TrayPopupMenu->popup(globalPos);
}

void TKvelMainForm::ToTrayClick(bool checked)
{
    FToTray = checked ? 1 : 0;
    if (FToTray == 1) {
        AddTrayIcon();
        FBarShown = true;
        SetTrayIconState(false);
        FInTray = trayModeActive();
    } else {
        DeleteTrayIcon();
        FInTray = false;
        AppRestore();
        raise();
    }
    captionMenus();
}

void TKvelMainForm::TrayAvailabilityChanged(bool available)
{
    if (!available) {
        // The tray went away: bring a hidden bar back rather than lose it.
        FInTray = false;
        if (!FBarShown)
            AppRestore();
        return;
    }
    if (FToTray != 1) {
        DeleteTrayIcon();
        return;
    }
    AddTrayIcon();
    FInTray = true;
    SetTrayIconState(!FBarShown);
}

void TKvelMainForm::showTrayStartBalloon()
{
    if (IsFirstRun(m_paths.settingsFile) || FIEParamCount != 0)
        return;
    const QString title = LoadLngText(StringId::MenuTipOfTheDay);
    if (!FCodePageHint.isEmpty()) {
        m_tray->showBalloon(title, FCodePageHint.left(kBalloonTextMax),
                            TrayIcon::BalloonIcon::Warning, kBalloonTimeoutMs);
    } else if (FShowTips == 1) {
        const int tip = firstTipIndex(QDate::currentDate());
        m_tray->showBalloon(title, LoadLngText(tipStringId(tip)).left(kBalloonTextMax),
                            TrayIcon::BalloonIcon::Information, kBalloonTimeoutMs);
    }
}

void TKvelMainForm::showDesktopNotice()
{
    // Once per user: what this desktop cannot do, and what to do instead.
    if (FDesktopNoticeShown != 0 || !onRealDesktop())
        return;
    const SessionInfo session = currentSession();
    if (session.type != SessionType::Wayland)
        return;
    const bool tray = m_tray && m_tray->isAvailable();
    const std::optional<DesktopNotice> notice =
        desktopNoticeFor(session, probeDesktop(session, tray), false);
    if (!notice)
        return;
    FDesktopNoticeShown = 1;
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
        geometry(), {false, FWrap != 0, FLocked != 0});
}

void TKvelMainForm::showSettingsNotice()
{
    // Once per run: nothing can be stored while the file cannot be read.
    if (!m_settingsUnreadable)
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
                             geometry(), {false, FWrap != 0, FLocked != 0});
}

void TKvelMainForm::ApplyClipboardViewer()
{
    const bool watch = FFastClipboardOff == 0;
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
    if (!FBarShown || !isVisible())
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
        if (!FBarShown || !isVisible() || LngEdit->text() != entryBefore)
            return;
        EnterPhraseFromOutside(text);
        if (remember)
            RememberFirstEntry();
    };
    m_clipboard->readText(QClipboard::Clipboard, lookUp);
}

void TKvelMainForm::ApplyHook()
{
    // A grab takes the key from every other program: only the chosen key, and
    // only while the hot key is on. A key another program holds stays theirs.
    if (!m_hotKey)
        return;
    if (FHookOn == 1)
        m_hotKey->SetHook(FHotKey);
    else
        m_hotKey->RemoveHook();
}

void TKvelMainForm::HotKeyPressed(const QString& keyName)
{
    const std::optional<StringId> chosen = hotKeyNameId(FHotKey);
    if (HookMsg == 0 || FHookOn != 1 || !chosen)
        return;
    if (keyName == LoadText(*chosen))
        handleInstanceRequest(InstanceRequest::ToggleBar);
}

void TKvelMainForm::TextDropped(const QString& text)
{
    EnterPhraseFromOutside(text, false);
}

} // namespace kvel
