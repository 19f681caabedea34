// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "balloon/widgets/BalloonHost.h"
#include "balloon/widgets/TBalloonForm.h"
#include "core/SearchSettings.h"
#include "core/content/BalloonContent.h"
#include "lookup/access/JetConverter.h"
#include "lookup/store/DictionaryChecks.h"
#include "phrasebar/FirstEntry.h"
#include "shell/desktop/DesktopServices.h"
#include "shell/help/HelpContent.h"
#include "shell/help/TipOfTheDay.h"
#include "shell/instance/InstanceRequest.h"
#include "shell/settings/KvelSettings.h"
#include "shell/speech/SpeechEngine.h"

#include <QPointer>
#include <QRecursiveMutex>
#include <QStringList>
#include <QWidget>
#include <memory>

class QLabel;
class QMenu;
class QAction;

namespace kvel {

class ClipboardWatcher;
class GlobalHotKey;
class KeyboardLayout;
class LowerCaseEntry;
class TTextDropTarget;
class TrayIcon;
class BarDictionary;

// Where the bar keeps its files; tests point these at temporary folders.
struct BarPaths
{
    QString settingsFile;
    QString dictionaryFile;
    // Turns an Access dictionary into one the bar reads.
    JetConverter converter = JetConverter::standard();
};

// The phrase bar: a small always-on-top strip with the search-language label
// and the phrase entry. It owns the translation window, the settings and the
// recent phrases, and answers the keys and menu commands.
class TKvelMainForm : public QWidget, public BalloonHost, private KvelSettings
{
    Q_OBJECT
public:
    TKvelMainForm(BarPaths paths, BarDictionary& dictionary, DesktopServices desktop,
                  QWidget* parent = nullptr);
    ~TKvelMainForm() override;

    // The translation window, built by the program; the bar closes it before it goes.
    void attachBalloon(TBalloonForm* balloon);

    // --- lookup ---------------------------------------------------------
    void LngEditChange();
    bool LookupAllowed();
    // Runs what waited for the dictionary once no conversion runs any more.
    void DictionaryReady();
    QString QueryMeaning(const QString& phrase, int selected) override;
    // A phrase from the clipboard, a drop or another instance: normalised,
    // searched in both languages, looked up even when the entry holds it already.
    void EnterPhraseFromOutside(const QString& text, bool rerunWhenUnchanged = true);
    void RefreshTranslation();

    // --- first entry ----------------------------------------------------
    void RememberFirstEntry();
    bool FirstEntryShown() const;
    void CopyFirstEntry(CopyMode mode);
    void FlashEntry();

    // --- language -------------------------------------------------------
    void ApplyInterfaceLanguage();
    void UpdateLanguageLabel();
    void ApplyKeyboardLayout();
    void LngLabelDblClick();
    void InterfaceSerbianClick();
    void InterfaceEnglishClick();
    void SelectSearchLanguage(SearchLanguage language);
    void SelectFindMethod(FindMethod method);

    // --- recent phrases -------------------------------------------------
    void RefreshRecentMenus();
    void RecentWordsClearClick();
    void RecentPhraseChosen(SearchLanguage list, const QString& caption);

    // --- life -----------------------------------------------------------
    void FormShow();
    void FormActivate();
    void ToggleBar();
    void ShowWithParams();
    void ShutDown();
    // The desktop ends the session: save, and go without asking any window.
    void SessionEnding();
    void SaveSettings();
    // Shows the bar; with the smart clipboard on, its phrase is looked up
    // (and remembered among the recent phrases, when asked) once it is read.
    void OpenBar(bool rememberClipboardPhrase = false);
    void handleInstanceRequest(kvel::InstanceRequest request);

    // --- tray, clipboard, drop ------------------------------------------
    bool trayModeActive() const;
    void AddTrayIcon();
    void SetTrayIconState(bool hidden);
    void DeleteTrayIcon();
    void AppMinimize();
    void AppRestore();
    void TrayLeftClick();
    void TrayRightClick(QPoint globalPos);
    void ToTrayClick(bool checked);
    void TrayAvailabilityChanged(bool available);
    void ClipboardChanged(const QString& text);
    void LookupClipboard(bool remember = false);
    void ApplyClipboardViewer();
    void TextDropped(const QString& text);
    void ApplyHook();
    void HotKeyPressed(const QString& keyName);
    bool barShown() const { return FBarShown; }

    // --- help -------------------------------------------------------------
    void HelpIndexClick();
    void HelpKeyboardClick();
    void HelpTipOfTheDayClick();
    void HelpDonationsClick();
    void AboutClick();

    // --- speech and the desktop's menus ------------------------------------
    void SpeakFirstPhrase();
    // Speech engines can take seconds to start: the program hands one over
    // once the bar is up.
    void setSpeechEngine(std::unique_ptr<SpeechEngine> engine);
    void RegisterIEMenu();
    void WinAutostartClick(bool checked);

    // For tests and the translation window.
    LowerCaseEntry* entry() const { return LngEdit; }
    QLabel* languageLabel() const { return LngLabel; }
    QMenu* popupMenu() const { return LngPopupMenu; }
    QMenu* trayMenu() const { return TrayPopupMenu; }
    TBalloonForm* balloon() const { return BalloonForm; }
    const KvelSettings& settings() const { return *this; }
    QAction* menuAction(const QString& name) const;
    void LngPopupMenuPopup();
    void TrayPopupMenuPopup();

    // What the translation window asks of the bar.
    void setEntryText(const QString& text) override;
    void moveEntryCaretToEnd() override;
    void closePhraseBar() override;
    void moveBar(const QPoint& topLeft) override;
    bool alphaBlendOn() const override { return FAlphaBlendOn != 0; }
    int alphaBlendSpeed() const override { return FABSpeed; }
    bool windowOpacityShows() const override;

signals:
    void quitRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void buildWidgets();
    void buildMenus();
    void buildDesktopServices(DesktopServices& desktop);
    void showTrayStartBalloon();
    void showDesktopNotice();
    void showSettingsNotice();
    void connectMenuCommands();
    void connectHelpCommands();
    void captionMenus();
    bool FormKeyPress(int key);
    void LngEditKeyDown(int key, Qt::KeyboardModifiers modifiers);
    bool lookupWaits();
    void runFirstShowChecks();
    void showDisplay(const BalloonContent& content);
    void showHelp(const BalloonContent& content);
    // What the translation window shows; nothing while it is hidden.
    const BalloonContent* shownContent() const;
    bool translationVisible() const;
    QRect screenRect() const;
    void moveBarTo(QPoint topLeft);
    void LoadSettings();
    void ReadIEParams();
    void LookupIEParams();
    void Cleanup();

    BarPaths m_paths;

    QLabel* LngLabel = nullptr;
    LowerCaseEntry* LngEdit = nullptr;
    QMenu* LngPopupMenu = nullptr;
    QMenu* TrayPopupMenu = nullptr;
    QPointer<TBalloonForm> BalloonForm;

    BarDictionary& m_dictionary;
    DictionaryChecks m_checks;
    // An Access dictionary converts in the background; the first show's
    // checks and a lookup asked for meanwhile wait for it.
    bool m_checksWaiting = false;
    bool m_lookupWaiting = false;
    QRecursiveMutex LookupLock;
    std::unique_ptr<KeyboardLayout> m_keyboard;
    TrayIcon* m_tray = nullptr;
    ClipboardWatcher* m_clipboard = nullptr;
    GlobalHotKey* m_hotKey = nullptr;
    std::unique_ptr<SpeechEngine> m_speech;
    std::unique_ptr<HelpFileDesktop> m_helpDesktop;
    std::unique_ptr<WindowEffects> m_windowEffects;
    quint32 HookMsg = 0;
    TTextDropTarget* FDropTarget = nullptr;
    bool FClipboardReady = false;
    // The settings file exists but could not be read: the bar runs on
    // defaults and writes nothing over it.
    bool m_settingsUnreadable = false;
    // The user set the browser item in this run, so it follows the setting
    // even when the settings could not be read.
    bool m_browserItemChosen = false;

    bool FInTray = false;
    bool FBarShown = true;
    bool FCleanedUp = false;
    bool m_quitting = false;
    bool m_firstShowDone = false;
    bool m_firstActivationDone = false;
    TipOfTheDay FTipCounter;
    QString FCodePageHint;
    QString FIEParamStr;
    int FIEParamCount = 0;
    QPoint m_dragOffset;
    bool m_dragging = false;
};

} // namespace kvel
