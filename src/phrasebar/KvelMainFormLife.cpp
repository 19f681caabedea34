// SPDX-License-Identifier: GPL-2.0-or-later
// The bar's life: settings in and out, the first show and activation, the
// requests of a second start, closing and shutting down.
#include "balloon/widgets/TBalloonForm.h"
#include "core/strings/StringTable.h"
#include "core/text/PhraseNormalizer.h"
#include "lookup/store/ConvertingDictionaryStore.h"
#include "lookup/store/SqliteDictionaryStore.h"
#include "phrasebar/BarDictionary.h"
#include "phrasebar/LowerCaseEntry.h"
#include "phrasebar/TKvelMainForm.h"
#include "shell/autostart/AutoStart.h"
#include "shell/browser/BrowserMenu.h"
#include "shell/clipboard/ClipboardWatcher.h"
#include "shell/hotkey/GlobalHotKey.h"
#include "shell/keyboard/CentralEuropeanLocale.h"
#include "shell/keyboard/KeyboardLayout.h"
#include "shell/recent/RecentPhrases.h"
#include "shell/settings/HandOver.h"
#include "shell/tray/TrayIcon.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QTimer>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace kvel {

namespace {

void reportToTerminal(const QString& line)
{
    std::fprintf(stderr, "kvel: %s\n", line.toLocal8Bit().constData());
}

} // namespace

void TKvelMainForm::LoadSettings()
{
    const std::optional<KvelSettings> loaded =
        kvel::LoadSettings(m_paths.settingsFile, screenRect());
    static_cast<KvelSettings&>(*this) = loaded.value_or(KvelSettings());
    m_settingsUnreadable = !loaded;
    // Defaults standing in for settings that could not be read must not turn
    // on what the user may have turned off.
    if (m_settingsUnreadable)
        reportToTerminal(LoadLngText(StringId::SettingsUnreadable, InterfaceLanguage::English) +
                         u' ' + m_paths.settingsFile);
    else
        SetAutoStart(FAutoStart != 0, QCoreApplication::applicationFilePath());
    ApplyHook();
}

void TKvelMainForm::SaveSettings()
{
    if (m_settingsUnreadable)
        return;
    switch (kvel::SaveSettings(m_paths.settingsFile, *this, pos())) {
    case IniUpdate::Written:
        break;
    case IniUpdate::LockBusy:
        reportToTerminal(u"settings not saved: another Kvel kept "_s + m_paths.settingsFile +
                         u".lock locked"_s);
        break;
    case IniUpdate::Failed:
        reportToTerminal(u"settings could not be saved to "_s + m_paths.settingsFile);
        break;
    }
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
        if (FAdjustKeyboard == 1)
            ApplyKeyboardLayout();
    } else if (event->type() == QEvent::WindowDeactivate && m_keyboard) {
        m_keyboard->restoreUserLayout();
    }
    return QWidget::event(event);
}

void TKvelMainForm::FormShow()
{
    if (FFastClipboardOff == 0)
        ApplyClipboardViewer();
    FClipboardReady = true;
    m_firstShowDone = true;
    // An Access dictionary may still be converting: the checks, and what the
    // first show looks up, wait for it.
    m_checksWaiting = true;
    DictionaryReady();
}

void TKvelMainForm::runFirstShowChecks()
{
    m_checks = runDictionaryChecks(m_paths.dictionaryFile, m_dictionary.store());
    // A phrase typed while the dictionary converted is the user's latest
    // wish, answered next; the clipboard's or a tip would only hide it.
    if (!m_checks.allPassed() || m_lookupWaiting)
        return;
    if (FAutoStart == 0 && FToTray == 0) {
        if (FSmartClipboard == 1)
            LookupClipboard();
        else if (FShowTips == 1)
            HelpTipOfTheDayClick();
    }
}

void TKvelMainForm::FormActivate()
{
    m_firstActivationDone = true;
    FCodePageHint = IsCentralEuropeanCodePage() ? QString() : LoadLngText(StringId::CodePageHint);
    // Words handed to a first start are looked up whether or not the bar
    // starts in the tray.
    ReadIEParams();
    FInTray = trayModeActive();
    if (FInTray) {
        AddTrayIcon();
        AppMinimize();
        showTrayStartBalloon();
    }
    showDesktopNotice();
    showSettingsNotice();
    if (FIEParamCount > 0)
        QTimer::singleShot(0, this, &TKvelMainForm::ShowWithParams);
}

void TKvelMainForm::handleInstanceRequest(InstanceRequest request)
{
    switch (request) {
    case InstanceRequest::ToggleBar:
        ToggleBar();
        ApplyHook();
        break;
    case InstanceRequest::LookUpHandOver:
        ShowWithParams();
        ApplyHook();
        break;
    case InstanceRequest::Quit:
        ShutDown();
        break;
    }
}

void TKvelMainForm::ToggleBar()
{
    if (FBarShown) {
        close();
        return;
    }
    OpenBar(true);
    RememberFirstEntry();
}

void TKvelMainForm::OpenBar(bool rememberClipboardPhrase)
{
    AppRestore();
    raise();
    activateWindow();
    if (FSmartClipboard == 1)
        LookupClipboard(rememberClipboardPhrase);
}

void TKvelMainForm::ShowWithParams()
{
    if (!FBarShown || !isVisible())
        AppRestore();
    raise();
    activateWindow();
    LookupIEParams();
    RememberFirstEntry();
}

void TKvelMainForm::ReadIEParams()
{
    const HandOver handOver = readHandOver(m_paths.settingsFile);
    FIEParamCount = handOver.paramCount;
    FIEParamStr = handOver.paramStr;
}

void TKvelMainForm::LookupIEParams()
{
    ReadIEParams();
    EnterPhraseFromOutside(FIEParamStr);
}

void TKvelMainForm::closeEvent(QCloseEvent* event)
{
    // Quitting closes every window; in tray mode this one would only hide.
    if (m_quitting) {
        event->accept();
        return;
    }
    if (BalloonForm)
        BalloonForm->hide();
    // Clearing the entry must not pop a notice up on the way out.
    {
        const QSignalBlocker blocker(LngEdit);
        LngEdit->clear();
    }
    SaveSettings();
    if (trayModeActive()) {
        event->ignore();
        AppMinimize();
        return;
    }
    m_clipboard->setWatching(false);
    event->accept();
    emit quitRequested();
}

void TKvelMainForm::closePhraseBar()
{
    close();
}

void TKvelMainForm::SessionEnding()
{
    SaveSettings();
    RemoveIEMenu();
    m_quitting = true;
    emit quitRequested();
}

void TKvelMainForm::ShutDown()
{
    SaveSettings();
    m_quitting = true;
    m_clipboard->setWatching(false);
    Cleanup();
    emit quitRequested();
}

void TKvelMainForm::Cleanup()
{
    if (FCleanedUp)
        return;
    FCleanedUp = true;
    delete BalloonForm;
    DeleteTrayIcon();
    if (m_hotKey)
        m_hotKey->RemoveHook();
}

void TKvelMainForm::setEntryText(const QString& text)
{
    // A picked phrase may start with the blank after a ';'; a leading blank
    // would close the window instead of looking the phrase up.
    LngEdit->setEntryText(trimControl(text));
}

void TKvelMainForm::moveEntryCaretToEnd()
{
    LngEdit->deselect();
    LngEdit->setCursorPosition(int(LngEdit->text().size()));
}

void TKvelMainForm::moveBar(const QPoint& topLeft)
{
    move(topLeft);
}

void TKvelMainForm::LngLabelDblClick()
{
    FSearchLang = FSearchLang >= 0 && FSearchLang < 2 ? FSearchLang + 1 : 0;
    ApplyInterfaceLanguage();
    LngEditChange();
}

void TKvelMainForm::SelectSearchLanguage(SearchLanguage language)
{
    FSearchLang = int(language);
    ApplyInterfaceLanguage();
    UpdateLanguageLabel();
    LngEditChange();
}

void TKvelMainForm::SelectFindMethod(FindMethod method)
{
    FFindMethod = int(method);
    LngEditChange();
}

void TKvelMainForm::InterfaceSerbianClick()
{
    FInterfaceLang = int(InterfaceLanguage::Serbian);
    SetLanguageOffset(FInterfaceLang);
    ApplyInterfaceLanguage();
    RefreshTranslation();
}

void TKvelMainForm::InterfaceEnglishClick()
{
    FInterfaceLang = int(InterfaceLanguage::English);
    SetLanguageOffset(FInterfaceLang);
    ApplyInterfaceLanguage();
    RefreshTranslation();
}

void TKvelMainForm::RecentWordsClearClick()
{
    FRecentBoth.clear();
    FRecentSer.clear();
    FRecentEng.clear();
    RefreshRecentMenus();
}

void TKvelMainForm::RecentPhraseChosen(SearchLanguage list, const QString& caption)
{
    const std::optional<QString> phrase = recentPhraseOfCaption(caption);
    if (!phrase)
        return;
    FSearchLang = int(list);
    UpdateLanguageLabel();
    LngEdit->setEntryText(*phrase);
    moveEntryCaretToEnd();
    AddRecentPhrase(recentList(list), LngEdit->text(), FSaveRecent != 0);
    RefreshRecentMenus();
}

void TKvelMainForm::ApplyKeyboardLayout()
{
    // The layout group is global on X11: switch it only while the bar has the
    // focus; activation applies it again.
    if (!m_keyboard || !isActiveWindow())
        return;
    switch (FSearchLang) {
    case int(SearchLanguage::English):
        m_keyboard->activate(KeyboardTarget::English);
        break;
    case int(SearchLanguage::Both):
    case int(SearchLanguage::Serbian):
        m_keyboard->activate(IsCentralEuropeanCodePage() ? KeyboardTarget::SerbianLatin
                                                         : KeyboardTarget::English);
        break;
    default:
        break;
    }
}

} // namespace kvel
