// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QObject>

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

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Whether the key is the bar's alone (Enter, Escape).
    bool barKey(int key);

    TKvelMainForm& m_bar;
    BarCommands& m_commands;
    LowerCaseEntry& m_entry;
    QLabel& m_label;
};

} // namespace kvel
