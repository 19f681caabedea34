// SPDX-License-Identifier: GPL-2.0-or-later
#include "phrasebar/BarKeys.h"

#include "phrasebar/BarCommands.h"
#include "phrasebar/BarKeyCommand.h"
#include "phrasebar/BarLanguages.h"
#include "phrasebar/BarMenus.h"
#include "phrasebar/LowerCaseEntry.h"
#include "phrasebar/TKvelMainForm.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>

namespace kvel {

BarKeys::BarKeys(TKvelMainForm& bar, BarCommands& commands, LowerCaseEntry& entry, QLabel& label)
    : QObject(&bar), m_bar(bar), m_commands(commands), m_entry(entry), m_label(label)
{
    m_entry.installEventFilter(this);
    m_label.installEventFilter(this);
}

bool BarKeys::barKey(int key)
{
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        return true; // swallowed here; its commands run with the other keys
    if (key != Qt::Key_Escape)
        return false;
    // Escape closes the translation, then clears the entry, then closes the bar.
    if (m_bar.translationVisible()) {
        m_entry.setEntryText(QString());
        m_bar.balloon()->hide();
    } else if (m_entry.text().isEmpty()) {
        m_bar.close();
    } else {
        m_entry.setEntryText(QString());
    }
    return true;
}

int BarKeys::commandKey(const QKeyEvent& key) const
{
    const bool latinLetter = key.key() >= Qt::Key_A && key.key() <= Qt::Key_Z;
    if (!key.modifiers().testFlag(Qt::AltModifier) || latinLetter)
        return key.key();
    const KeyboardLayout* keyboard = m_bar.languages().keyboard();
    const std::optional<char> letter =
        commandLetter(keyboard ? keyboard->layoutLetters() : LayoutLetters(), key.nativeScanCode());
    return letter ? Qt::Key_A + (*letter - 'a') : key.key();
}

bool BarKeys::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &m_entry && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool swallowed = barKey(key->key());
        const BarCommand command = barKeyCommand(commandKey(*key), key->modifiers());
        m_commands.run(command);
        if (command != BarCommand::None)
            emit commandKeyed(command);
        if (m_bar.isVisible())
            m_entry.setFocus();
        // Alt combinations are the bar's commands, never text.
        return swallowed || key->modifiers().testFlag(Qt::AltModifier) ||
               command != BarCommand::None;
    }
    if (watched == &m_label && event->type() == QEvent::MouseButtonDblClick) {
        m_bar.languages().cycleSearchLanguage();
        return true;
    }
    if (watched == &m_label && event->type() == QEvent::ContextMenu) {
        m_bar.menus().mainMenu()->popup(static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace kvel
