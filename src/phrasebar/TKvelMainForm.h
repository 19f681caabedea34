// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "balloon/widgets/BalloonHost.h"
#include "balloon/widgets/TBalloonForm.h"
#include "core/SearchSettings.h"
#include "core/content/BalloonContent.h"
#include "lookup/access/JetConverter.h"
#include "phrasebar/BarCommand.h"
#include "phrasebar/BarCommands.h"
#include "phrasebar/BarLanguages.h"
#include "phrasebar/BarMenus.h"
#include "phrasebar/BarRequests.h"
#include "phrasebar/BarSettingsFile.h"
#include "phrasebar/BarShutdown.h"
#include "phrasebar/DesktopIntegration.h"
#include "phrasebar/FirstEntryCommands.h"
#include "phrasebar/HelpCommands.h"
#include "phrasebar/LowerCaseEntry.h"
#include "phrasebar/TrayPresence.h"
#include "shell/desktop/DesktopServices.h"
#include "shell/help/HelpContent.h"
#include "shell/instance/InstanceRequest.h"
#include "shell/settings/Preferences.h"

#include <QPointer>
#include <QRecursiveMutex>
#include <QStringList>
#include <QWidget>
#include <memory>

class QLabel;
class QMenu;
class QAction;

namespace kvel {

class BarDictionary;
class BarClipboard;
class BarStartup;
class BarNotices;
class DictionaryReadiness;
class TTextDropTarget;

// Where the bar keeps its files; tests point these at temporary folders.
struct BarPaths
{
    QString settingsFile;
    QString dictionaryFile;
    // Turns an Access dictionary into one the bar reads.
    JetConverter converter = JetConverter::standard();
};

// The phrase bar: a small always-on-top strip with the search-language label
// and the phrase entry. It looks the entry's text up and shows the result in
// the translation window; its keys and menus, its tray presence, the help
// commands and what it leaves in the desktop are objects of their own, which
// its handlers hand the work to.
class TKvelMainForm : public QWidget, public BalloonHost
{
    Q_OBJECT
public:
    TKvelMainForm(BarPaths paths, BarDictionary& dictionary, DesktopServices desktop,
                  QWidget* parent = nullptr);
    ~TKvelMainForm() override;

    // The translation window, built by the program; the bar closes it before it goes.
    void attachBalloon(TBalloonForm* balloon) { BalloonForm = balloon; }

    // --- lookup ---------------------------------------------------------
    void LngEditChange();
    QString QueryMeaning(const QString& phrase, int selected) override;
    // A phrase from the clipboard, a drop or another instance: normalised,
    // searched in both languages, looked up even when the entry holds it already.
    void EnterPhraseFromOutside(const QString& text, bool rerunWhenUnchanged = true);
    void RefreshTranslation();
    bool translationVisible() const { return BalloonForm && BalloonForm->isVisible(); }

    // --- first entry ----------------------------------------------------
    // Looks the entry up while no translation shows.
    void RememberFirstEntry();
    FirstEntryCommands& firstEntry() { return m_firstEntry; }

    // --- languages and recent phrases ----------------------------------
    BarLanguages& languages() { return *m_languages; }
    void InterfaceEnglishClick()
    {
        m_languages->selectInterfaceLanguage(InterfaceLanguage::English);
    }

    // --- life -----------------------------------------------------------
    void ShutDown() { m_shutdown->shutDown(); }
    // The desktop ends the session: save, and go without asking any window.
    void SessionEnding() { m_shutdown->sessionEnding(); }
    void SaveSettings() { m_settingsFile.save(m_prefs, pos()); }
    void handleInstanceRequest(kvel::InstanceRequest request) { m_requests->handle(request); }
    void MoveBarByKey(BarCommand move);

    // --- tray, clipboard, drop, desktop ---------------------------------
    bool barShown() const { return m_presence->barShown(); }
    // Without a tray host tray mode acts as off: closing ends the program.
    bool ClosingGoesToTray() const { return m_presence->trayModeActive(); }
    void AppRestore() { m_presence->restore(); }
    void TrayLeftClick() { m_requests->openBar(false); }
    void ToTrayClick(bool checked);
    void ClipboardChanged(const QString& text);
    void LookupClipboard(bool remember = false);
    void ApplyClipboardViewer();
    void TextDropped(const QString& text) { EnterPhraseFromOutside(text, false); }
    void ApplyHook() { m_integration->applyHotKey(); }
    // Once per run, when another program holds the chosen hot key.
    void NoticeHotKeyTaken();
    void HotKeyPressed(const QString& keyName);
    void RegisterIEMenu() { m_integration->registerBrowserItem(); }

    // Speech engines can take seconds to start: the program hands one over
    // once the bar is up.
    void setSpeechEngine(std::unique_ptr<SpeechEngine> engine)
    {
        m_firstEntry.setSpeechEngine(std::move(engine));
    }

    // For tests and the translation window.
    LowerCaseEntry* entry() const { return LngEdit; }
    QLabel* languageLabel() const { return LngLabel; }
    BarMenus& menus() const { return *m_menus; }
    QMenu* trayMenu() const { return m_menus->trayMenu(); }
    TBalloonForm* balloon() const { return BalloonForm; }
    const Preferences& preferences() const { return m_prefs; }
    void LngPopupMenuPopup();
    void TrayPopupMenuPopup() { m_commands->showTrayMenuStates(); }

    // What the translation window asks of the bar.
    void setEntryText(const QString& text) override;
    void moveEntryCaretToEnd() override { LngEdit->moveCaretToEnd(); }
    void closePhraseBar() override { close(); }
    void moveBar(const QPoint& topLeft) override { move(topLeft); }
    bool alphaBlendOn() const override { return m_prefs.flag(Preference::Fade); }
    int alphaBlendSpeed() const override { return int(m_prefs.fadeSpeed()); }
    bool windowOpacityShows() const override { return m_windowEffects->opacityShows(); }
    WindowEffects& windowEffects() const { return *m_windowEffects; }

signals:
    void quitRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void buildWidgets();
    void connectDesktop(ClipboardReader* clipboardReader);
    void PreferenceChanged(Preference preference);
    void HotKeyChosen();
    bool LookupAllowed();
    void showDisplay(const BalloonContent& content);
    // How the window shows text as the preferences stand; notices never pick phrases.
    BalloonOptions balloonOptions(bool sensitive) const
    {
        return {sensitive, m_prefs.flag(Preference::WrapTranslation),
                m_prefs.flag(Preference::LockedTranslation)};
    }

    BarPaths m_paths;
    BarDictionary& m_dictionary;
    Preferences m_prefs;
    BarSettingsFile m_settingsFile;

    QLabel* LngLabel = nullptr;
    LowerCaseEntry* LngEdit = nullptr;
    QPointer<TBalloonForm> BalloonForm;
    BarMenus* m_menus = nullptr;
    std::unique_ptr<HelpCommands> m_help;
    std::unique_ptr<BarCommands> m_commands;
    TrayPresence* m_presence = nullptr;
    TrayIcon* m_tray = nullptr; // the presence's icon
    std::unique_ptr<DesktopIntegration> m_integration;
    BarClipboard* m_clipboard = nullptr;
    std::unique_ptr<BarNotices> m_notices;
    std::unique_ptr<BarLanguages> m_languages;
    std::unique_ptr<BarRequests> m_requests;
    std::unique_ptr<WindowEffects> m_windowEffects;
    std::unique_ptr<BarShutdown> m_shutdown;
    BarStartup* m_startup = nullptr;
    FirstEntryCommands m_firstEntry{BalloonForm, m_prefs};
    TTextDropTarget* FDropTarget = nullptr;

    DictionaryReadiness* m_readiness = nullptr;
    QRecursiveMutex LookupLock;
};

} // namespace kvel
