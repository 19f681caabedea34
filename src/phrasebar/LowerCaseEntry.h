// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QClipboard>
#include <QLineEdit>

namespace kvel {

// The phrase entry: whatever the user types is kept in lower case, and typing
// stops at 92 characters, while a longer phrase put in by the program (from
// the clipboard, say) stays whole and can be edited, never grown. Pasting
// (the keys, the middle button, the menu) is asked for, never read here: the
// clipboard's owner may not answer, and the bar reads it without waiting.
// Lengths count characters, so a character outside the BMP counts once.
class LowerCaseEntry : public QLineEdit
{
    Q_OBJECT
public:
    static constexpr int kMaxTyped = 92;

    explicit LowerCaseEntry(QWidget* parent = nullptr);

    // Sets the text as the program does: lower-cased, never cut.
    void setEntryText(const QString& text);

    // Inserts pasted text at the caret, cut to the characters that fit.
    void insertPasted(const QString& text);

    // A phrase put in by the program may be longer; it can be edited, not
    // grown, and once shortened the limit follows it down to 92 again.
    qsizetype allowedLength() const { return m_allowedLength; }

    // The caret after the last character, nothing selected.
    void moveCaretToEnd();
    // Shows that Enter was taken; the pause is short enough not to lose keys,
    // which wait in the queue.
    void flash();

signals:
    void pasteRequested(QClipboard::Mode mode);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    qsizetype m_allowedLength = kMaxTyped;
};

} // namespace kvel
