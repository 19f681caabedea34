// SPDX-License-Identifier: GPL-2.0-or-later
#include "phrasebar/BarMenus.h"

#include "core/strings/StringTable.h"
#include "shell/recent/RecentPhrases.h"

#include <QActionGroup>
#include <QMenu>

using namespace Qt::StringLiterals;

namespace kvel {

namespace {

QString withShortcut(const QString& caption, const char* shortcut)
{
    return *shortcut ? caption + u'\t' + QLatin1String(shortcut) : caption;
}

// The recent lists' submenus, the names of their items ("RecentWordsEng1" ...)
// and the search language each list belongs to.
struct RecentList
{
    const char* submenu;
    const char* itemPrefix;
    SearchLanguage language;
};
constexpr RecentList kRecentLists[] = {
    {"RecentWordsBoth", "RecentWordsBoth", SearchLanguage::Both},
    {"RecentWordsEnglish", "RecentWordsEng", SearchLanguage::English},
    {"RecentWordsSerbian", "RecentWordsSer", SearchLanguage::Serbian},
};

} // namespace

BarMenus::BarMenus(QWidget* owner)
    : QObject(owner), m_main(new QMenu(owner)), m_tray(new QMenu(owner))
{
    m_main->setObjectName(u"LngPopupMenu"_s);
    m_tray->setObjectName(u"TrayPopupMenu"_s);
    build(m_main, mainMenuRows());
    build(m_tray, trayMenuRows());
}

// Builds one menu tree from its rows; radio items of one submenu form a group.
void BarMenus::build(QMenu* root, const QList<MenuRow>& rows)
{
    QList<QMenu*> menus{root};
    QList<QActionGroup*> groups{nullptr};
    for (const MenuRow& row : rows) {
        menus.resize(row.level + 1);
        groups.resize(row.level + 1);
        QMenu* menu = menus[row.level];
        const QString name = QLatin1String(row.name);
        switch (row.kind) {
        case MenuRow::Kind::Separator:
            menu->addSeparator();
            break;
        case MenuRow::Kind::Submenu:
        case MenuRow::Kind::RecentList: {
            QMenu* sub = menu->addMenu(QString());
            sub->setObjectName(name);
            sub->menuAction()->setObjectName(name);
            m_items.append({name, &row, sub->menuAction()});
            menus.append(sub);
            groups.append(nullptr);
            if (row.kind == MenuRow::Kind::RecentList)
                addRecentItems(sub, row);
            break;
        }
        case MenuRow::Kind::Command:
        case MenuRow::Kind::Check:
        case MenuRow::Kind::Radio: {
            QAction* action = menu->addAction(QString());
            action->setObjectName(name);
            action->setCheckable(row.kind != MenuRow::Kind::Command);
            if (row.kind == MenuRow::Kind::Radio) {
                if (!groups[row.level])
                    groups[row.level] = new QActionGroup(menu);
                groups[row.level]->addAction(action);
            }
            m_items.append({name, &row, action});
            connect(action, &QAction::triggered, this, [this, command = row.command](bool checked) {
                emit commandChosen(command, checked);
            });
            break;
        }
        }
    }
}

void BarMenus::addRecentItems(QMenu* submenu, const MenuRow& row)
{
    for (const RecentList& list : kRecentLists) {
        if (qstrcmp(list.submenu, row.name) != 0)
            continue;
        QList<QAction*> items;
        for (int n = 1; n <= kMaxRecentPhrases; ++n) {
            QAction* item = submenu->addAction(QString());
            item->setObjectName(QLatin1String(list.itemPrefix) + QString::number(n));
            connect(item, &QAction::triggered, this, [this, item, language = list.language] {
                emit recentPhraseChosen(language, item->text());
            });
            m_items.append({item->objectName(), nullptr, item});
            items.append(item);
        }
        m_recentItems.append({list.language, items});
    }
}

QAction* BarMenus::action(BarCommand command) const
{
    for (const Item& item : m_items) {
        if (item.row && item.row->command == command)
            return item.action;
    }
    return nullptr;
}

QAction* BarMenus::action(const QString& name) const
{
    for (const Item& item : m_items) {
        if (item.name == name)
            return item.action;
    }
    return nullptr;
}

void BarMenus::setChecked(BarCommand command, bool checked)
{
    for (const Item& item : m_items) {
        if (item.row && item.row->command == command)
            item.action->setChecked(checked);
    }
}

void BarMenus::setEnabled(BarCommand command, bool enabled)
{
    for (const Item& item : m_items) {
        if (item.row && item.row->command == command)
            item.action->setEnabled(enabled);
    }
}

void BarMenus::setText(BarCommand command, const QString& text)
{
    for (const Item& item : m_items) {
        if (item.row && item.row->command == command)
            item.action->setText(text);
    }
}

void BarMenus::caption(bool closingGoesToTray)
{
    for (const Item& item : m_items) {
        if (item.row)
            item.action->setText(
                withShortcut(LoadLngText(item.row->captionId), item.row->shortcut));
    }
    captionCloseItem(closingGoesToTray);
}

void BarMenus::captionCloseItem(bool closingGoesToTray)
{
    const StringId caption = closingGoesToTray ? StringId::MenuCloseToTray : StringId::MenuExit;
    action(BarCommand::CloseBar)->setText(withShortcut(LoadLngText(caption), "Alt+F4"));
}

void BarMenus::setRecentPhrases(SearchLanguage list, const QStringList& captions)
{
    for (const auto& [language, items] : m_recentItems) {
        if (language != list)
            continue;
        for (qsizetype n = 0; n < items.size(); ++n)
            items[n]->setText(captions.value(n));
    }
}

} // namespace kvel
