// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "phrasebar/BarCommand.h"

#include <QObject>

class QKeyEvent;
class QLabel;

namespace kvel {

class BarCommands;
class LowerCaseEntry;
class TKvelMainForm;

// The bar's keys and clicks: the entry's keys run the bar's commands (Alt
// combinations are never text), Escape closes step by step, and the label
// cycles the search language on a double click and opens the menu on a
// right click.
class BarKeys : public QObject
{
    Q_OBJECT
public:
    BarKeys(TKvelMainForm& bar, BarCommands& commands, LowerCaseEntry& entry, QLabel& label);

signals:
    // A key's command, once it has run.
    void commandKeyed(BarCommand command);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Whether the key is the bar's alone (Enter, Escape).
    bool barKey(int key);
    // The key a command is looked up by: with Alt, the Latin letter the key
    // stands for when the active layout types another script.
    int commandKey(const QKeyEvent& key) const;

    TKvelMainForm& m_bar;
    BarCommands& m_commands;
    LowerCaseEntry& m_entry;
    QLabel& m_label;
};

} // namespace kvel
