// SPDX-License-Identifier: GPL-2.0-or-later
// The two popup menus: built from their layout, captioned in the interface
// language, and their checks and enabled states derived at every opening.
#include "balloon/widgets/TBalloonForm.h"
#include "core/strings/StringTable.h"
#include "lookup/forms/HunspellForms.h"
#include "phrasebar/BarDictionary.h"
#include "phrasebar/LowerCaseEntry.h"
#include "phrasebar/MenuLayout.h"
#include "phrasebar/TKvelMainForm.h"
#include "shell/hotkey/HotKeyNames.h"
#include "shell/recent/RecentPhrases.h"
#include "shell/speech/SpokenPhrase.h"

#include <QActionGroup>
#include <QLabel>
#include <QMenu>
#include <array>
#include <optional>

using namespace Qt::StringLiterals;

namespace kvel {

namespace {

constexpr int kRecentItems = 10;

// The label beside the entry, by search language (Both, English, Serbian).
constexpr std::array kSearchLanguageLabels{
    StringId::SearchLabelBoth,
    StringId::SearchLabelEnglish,
    StringId::SearchLabelSerbian,
};

QString withShortcut(const QString& caption, const char* shortcut)
{
    return *shortcut ? caption + u'\t' + QLatin1String(shortcut) : caption;
}

QString recentItemPrefix(const QString& submenu)
{
    if (submenu == u"RecentWordsBoth"_s)
        return u"RecentWordsBoth"_s;
    return submenu == u"RecentWordsEnglish"_s ? u"RecentWordsEng"_s : u"RecentWordsSer"_s;
}

// Builds one menu tree from its rows; radio items of one submenu form a group.
void buildMenu(QMenu* root, const QList<MenuRow>& rows)
{
    QList<QMenu*> menus{root};
    QList<QActionGroup*> groups{nullptr};
    for (const MenuRow& row : rows) {
        menus.resize(row.level + 1);
        groups.resize(row.level + 1);
        QMenu* menu = menus[row.level];
        switch (row.kind) {
        case MenuRow::Kind::Separator:
            menu->addSeparator();
            break;
        case MenuRow::Kind::Submenu:
        case MenuRow::Kind::RecentList: {
            QMenu* sub = menu->addMenu(QString());
            sub->setObjectName(QLatin1String(row.name));
            sub->menuAction()->setObjectName(QLatin1String(row.name));
            menus.append(sub);
            groups.append(nullptr);
            if (row.kind == MenuRow::Kind::RecentList) {
                for (int n = 1; n <= kRecentItems; ++n) {
                    QAction* item = sub->addAction(QString());
                    item->setObjectName(recentItemPrefix(sub->objectName()) + QString::number(n));
                }
            }
            break;
        }
        case MenuRow::Kind::Command:
        case MenuRow::Kind::Check:
        case MenuRow::Kind::Radio: {
            QAction* action = menu->addAction(QString());
            action->setObjectName(QLatin1String(row.name));
            action->setCheckable(row.kind != MenuRow::Kind::Command);
            if (row.kind == MenuRow::Kind::Radio) {
                if (!groups[row.level])
                    groups[row.level] = new QActionGroup(menu);
                groups[row.level]->addAction(action);
            }
            break;
        }
        }
    }
}

void captionRows(const TKvelMainForm& form, const QList<MenuRow>& rows)
{
    for (const MenuRow& row : rows) {
        if (QAction* action = form.menuAction(QLatin1String(row.name)))
            action->setText(withShortcut(LoadLngText(row.captionId), row.shortcut));
    }
}

} // namespace

QAction* TKvelMainForm::menuAction(const QString& name) const
{
    for (QMenu* menu : {LngPopupMenu, TrayPopupMenu}) {
        if (!menu)
            continue;
        for (QAction* action : menu->findChildren<QAction*>(name))
            return action;
        if (auto* sub = menu->findChild<QMenu*>(name))
            return sub->menuAction();
    }
    return nullptr;
}

void TKvelMainForm::buildMenus()
{
    LngPopupMenu = new QMenu(this);
    LngPopupMenu->setObjectName(u"LngPopupMenu"_s);
    buildMenu(LngPopupMenu, mainMenuRows());
    TrayPopupMenu = new QMenu(this);
    TrayPopupMenu->setObjectName(u"TrayPopupMenu"_s);
    buildMenu(TrayPopupMenu, trayMenuRows());
    connect(LngPopupMenu, &QMenu::aboutToShow, this, &TKvelMainForm::LngPopupMenuPopup);
    connect(TrayPopupMenu, &QMenu::aboutToShow, this, &TKvelMainForm::TrayPopupMenuPopup);
    connectMenuCommands();
}

void TKvelMainForm::connectMenuCommands()
{
    const auto on = [this](const char* name, auto handler) {
        if (QAction* action = menuAction(QLatin1String(name)))
            connect(action, &QAction::triggered, this, handler);
    };
    // A check item stores its new state in its setting; some re-run the lookup.
    const auto flag = [this, &on](const char* name, int KvelSettings::*member, bool relookup) {
        on(name, [this, member, relookup](bool checked) {
            this->*member = checked ? 1 : 0;
            if (relookup)
                LngEditChange();
        });
    };

    on("CopyWord", [this] { CopyFirstEntry(CopyMode::Phrase); });
    on("CopyMeanings", [this] { CopyFirstEntry(CopyMode::Meanings); });
    on("CopyWordAndMeanings", [this] { CopyFirstEntry(CopyMode::PhraseAndMeanings); });
    on("GoToTranslation", [this] {
        if (BalloonForm) {
            BalloonForm->setLocked(false);
            BalloonForm->ApplyLockState();
        }
    });
    on("Pronunce", [this] {
        const int speech = FSpeech;
        FSpeech = 1;
        SpeakFirstPhrase();
        FSpeech = speech;
    });
    on("InterfaceSerbian", &TKvelMainForm::InterfaceSerbianClick);
    on("InterfaceEnglish", &TKvelMainForm::InterfaceEnglishClick);
    flag("InterfaceAdjustKeyboard", &KvelSettings::FAdjustKeyboard, false);
    on("SelectedLanguageBoth", [this] { SelectSearchLanguage(SearchLanguage::Both); });
    on("SelectedLanguageEnglish", [this] { SelectSearchLanguage(SearchLanguage::English); });
    on("SelectedLanguageSerbian", [this] { SelectSearchLanguage(SearchLanguage::Serbian); });
    on("FindWordMethodBegins", [this] { SelectFindMethod(FindMethod::Begins); });
    on("FindWordMethodContains", [this] { SelectFindMethod(FindMethod::Contains); });
    on("FindWordMethodEnds", [this] { SelectFindMethod(FindMethod::Ends); });
    on("FindWordMethodWhole", [this] { SelectFindMethod(FindMethod::Whole); });
    on("RecentWordsClear", &TKvelMainForm::RecentWordsClearClick);
    for (const auto& [prefix, language] : {std::pair{"RecentWordsBoth", SearchLanguage::Both},
                                           std::pair{"RecentWordsEng", SearchLanguage::English},
                                           std::pair{"RecentWordsSer", SearchLanguage::Serbian}}) {
        for (int n = 1; n <= kRecentItems; ++n) {
            QAction* item = menuAction(QLatin1String(prefix) + QString::number(n));
            connect(item, &QAction::triggered, this, [this, item, language = language] {
                RecentPhraseChosen(language, item->text());
            });
        }
    }
    on("WinAutostart", &TKvelMainForm::WinAutostartClick);
    on("PopStart", &TKvelMainForm::WinAutostartClick);
    on("ToTray", &TKvelMainForm::ToTrayClick);
    on("PopTray", &TKvelMainForm::ToTrayClick);
    on("FastClipboard", [this](bool checked) {
        FFastClipboardOff = checked ? 1 : 0;
        ApplyClipboardViewer();
    });
    on("ContextMenu", [this](bool checked) {
        FIEMenu = checked ? 1 : 0;
        m_browserItemChosen = true;
        RegisterIEMenu();
    });
    flag("SensitiveTrans", &KvelSettings::FSensitive, true);
    flag("ShowTips", &KvelSettings::FShowTips, false);
    flag("Locking", &KvelSettings::FLocked, true);
    flag("SaveRecentWords", &KvelSettings::FSaveRecent, false);
    flag("WrapTheTranslation", &KvelSettings::FWrap, true);
    flag("SavePosition", &KvelSettings::FSavePosition, false);
    flag("SpeechC", &KvelSettings::FSpeech, false);
    flag("Tolerant", &KvelSettings::FTolerant, true);
    flag("Forms", &KvelSettings::FForms, true);
    flag("ABActivate", &KvelSettings::FAlphaBlendOn, false);
    on("ABSlow", [this] { FABSpeed = 0; });
    on("ABMedium", [this] { FABSpeed = 1; });
    on("ABFast", [this] { FABSpeed = 2; });
    // The keyboard list names the hot key and its state: keep it current.
    const auto refreshKeyboardList = [this] {
        if (translationVisible() && BalloonForm->contentKind() == ContentKind::KeyboardList)
            HelpKeyboardClick();
    };
    on("KHookActivate", [this, refreshKeyboardList](bool checked) {
        FHookOn = checked ? 1 : 0;
        ApplyHook();
        refreshKeyboardList();
    });
    for (int key = 0; key < 4; ++key) {
        on(("F" + std::to_string(9 + key)).c_str(), [this, key, refreshKeyboardList] {
            FHotKey = key;
            ApplyHook();
            refreshKeyboardList();
        });
    }
    on("HelpIndex", &TKvelMainForm::HelpIndexClick);
    on("HelpKeyboard", &TKvelMainForm::HelpKeyboardClick);
    on("HelpTipOfTheDay", &TKvelMainForm::HelpTipOfTheDayClick);
    on("HelpDonations", &TKvelMainForm::HelpDonationsClick);
    on("About", &TKvelMainForm::AboutClick);
    connectHelpCommands();
    on("Exit", [this] { close(); });
    on("PopOpen", &TKvelMainForm::OpenBar);
    on("SmartClipboard", [this](bool checked) { FSmartClipboard = checked ? 1 : 0; });
    on("PopExit", &TKvelMainForm::ShutDown);
}

void TKvelMainForm::captionMenus()
{
    captionRows(*this, mainMenuRows());
    RefreshRecentMenus();
    menuAction(u"Exit"_s)->setText(withShortcut(
        LoadLngText(FToTray == 1 ? StringId::MenuCloseToTray : StringId::MenuExit), "Alt+F4"));
    captionRows(*this, trayMenuRows());
}

void TKvelMainForm::RefreshRecentMenus()
{
    for (const auto& [prefix, language] : {std::pair{"RecentWordsBoth", SearchLanguage::Both},
                                           std::pair{"RecentWordsEng", SearchLanguage::English},
                                           std::pair{"RecentWordsSer", SearchLanguage::Serbian}}) {
        const QStringList captions = recentMenuCaptions(recentList(language));
        for (int n = 1; n <= kRecentItems; ++n)
            menuAction(QLatin1String(prefix) + QString::number(n))->setText(captions.value(n - 1));
    }
}

void TKvelMainForm::LngPopupMenuPopup()
{
    const bool visible = translationVisible();
    const bool entries = FirstEntryShown();
    const BalloonContent* shown = shownContent();
    for (const char* name : {"CopyWord", "CopyMeanings", "CopyWordAndMeanings"})
        menuAction(QLatin1String(name))->setEnabled(entries);
    menuAction(u"GoToTranslation"_s)->setEnabled(visible);
    menuAction(u"Pronunce"_s)->setEnabled(shown && phraseToSpeak(*shown));

    const auto check = [this](const char* name, bool on) {
        menuAction(QLatin1String(name))->setChecked(on);
    };
    check(FInterfaceLang != 0 ? "InterfaceEnglish" : "InterfaceSerbian", true);
    check("InterfaceAdjustKeyboard", FAdjustKeyboard == 1);
    check(FSearchLang == 0   ? "SelectedLanguageBoth"
          : FSearchLang == 1 ? "SelectedLanguageEnglish"
                             : "SelectedLanguageSerbian",
          true);
    check(FFindMethod == 0   ? "FindWordMethodBegins"
          : FFindMethod == 1 ? "FindWordMethodContains"
          : FFindMethod == 2 ? "FindWordMethodEnds"
                             : "FindWordMethodWhole",
          true);
    check("ShowTips", FShowTips != 0);
    check("SmartClipboard", FSmartClipboard != 0);
    check("FastClipboard", FFastClipboardOff != 0);
    check("ContextMenu", FIEMenu != 0);
    check("SensitiveTrans", FSensitive != 0);
    check("Locking", FLocked != 0);
    check("SaveRecentWords", FSaveRecent != 0);
    check("WrapTheTranslation", FWrap != 0);
    check("ToTray", FToTray != 0);
    check("WinAutostart", FAutoStart != 0);
    check("SavePosition", FSavePosition != 0);
    check("SpeechC", FSpeech != 0);
    check("Tolerant", FTolerant != 0);
    // Without an installed Hunspell dictionary there are no forms to find.
    check("Forms", FForms != 0 && m_dictionary.forms().available());
    menuAction(u"Forms"_s)->setEnabled(m_dictionary.forms().available());
    menuAction(u"Exit"_s)->setText(withShortcut(
        LoadLngText(FToTray == 1 ? StringId::MenuCloseToTray : StringId::MenuExit), "Alt+F4"));
    check("KHookActivate", FHookOn != 0);
    check(FHotKey == 0 ? "F9" : FHotKey == 1 ? "F10" : FHotKey == 2 ? "F11" : "F12", true);
    for (const char* key : {"F9", "F10", "F11", "F12"})
        menuAction(QLatin1String(key))->setEnabled(FHookOn == 1);
    check("ABActivate", FAlphaBlendOn != 0);
    check(FABSpeed == 0 ? "ABSlow" : FABSpeed == 1 ? "ABMedium" : "ABFast", true);
    for (const char* speed : {"ABSlow", "ABMedium", "ABFast"})
        menuAction(QLatin1String(speed))->setEnabled(FAlphaBlendOn == 1);
}

void TKvelMainForm::TrayPopupMenuPopup()
{
    QString open = LoadLngText(StringId::MenuOpenDictionary);
    const std::optional<StringId> hotKey = hotKeyCaptionId(FHotKey);
    if (FHookOn == 1 && hotKey)
        open += u'\t' + LoadText(*hotKey);
    menuAction(u"PopOpen"_s)->setText(open);
    menuAction(u"PopTray"_s)->setChecked(FToTray != 0);
    menuAction(u"PopStart"_s)->setChecked(FAutoStart != 0);
}

void TKvelMainForm::UpdateLanguageLabel()
{
    if (FSearchLang >= 0 && FSearchLang < int(kSearchLanguageLabels.size()))
        LngLabel->setText(LoadLngText(kSearchLanguageLabels[FSearchLang]));
}

void TKvelMainForm::ApplyInterfaceLanguage()
{
    UpdateLanguageLabel();
    setWindowTitle(LoadLngText(StringId::ProgramTitle));
    captionMenus();
    if (FToTray == 1)
        SetTrayIconState(!FBarShown);
    if (FAdjustKeyboard == 1)
        ApplyKeyboardLayout();
    RegisterIEMenu();
}

} // namespace kvel
