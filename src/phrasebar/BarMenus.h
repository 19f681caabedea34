// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "core/SearchSettings.h"
#include "phrasebar/BarCommand.h"
#include "phrasebar/MenuLayout.h"

#include <QList>
#include <QObject>
#include <QPair>
#include <QStringList>

class QAction;
class QMenu;
class QWidget;

namespace kvel {

// The bar's two popup menus, built from their layout: the main menu
// (`LngPopupMenu`) and the tray menu (`TrayPopupMenu`). A chosen item becomes
// a typed command; captions follow the interface language.
class BarMenus : public QObject
{
    Q_OBJECT
public:
    explicit BarMenus(QWidget* owner);

    QMenu* mainMenu() const { return m_main; }
    QMenu* trayMenu() const { return m_tray; }

    // The main menu's item giving `command` (the tray menu's when only it has one).
    QAction* action(BarCommand command) const;
    // An item or submenu by its name in the layout ("RecentWordsEng1" for the
    // recent lists' items), for tests; nullptr for an unknown name.
    QAction* action(const QString& name) const;

    // Every item that gives `command`, in both menus.
    void setChecked(BarCommand command, bool checked);
    void setEnabled(BarCommand command, bool enabled);
    void setText(BarCommand command, const QString& text);

    // Captions every item in the current interface language.
    void caption(bool closingGoesToTray);
    // The exit item says what closing does: hide to the tray, or quit.
    void captionCloseItem(bool closingGoesToTray);
    // The recent list's items; missing captions leave items empty.
    void setRecentPhrases(SearchLanguage list, const QStringList& captions);

signals:
    void commandChosen(kvel::BarCommand command, bool checked);
    void recentPhraseChosen(kvel::SearchLanguage list, const QString& caption);

private:
    struct Item
    {
        QString name;
        const MenuRow* row; // null for a recent phrase
        QAction* action;
    };

    void build(QMenu* root, const QList<MenuRow>& rows);
    void addRecentItems(QMenu* submenu, const MenuRow& row);

    QMenu* m_main;
    QMenu* m_tray;
    QList<Item> m_items;
    QList<QPair<SearchLanguage, QList<QAction*>>> m_recentItems;
};

} // namespace kvel
