// SPDX-License-Identifier: GPL-2.0-or-later
#include "phrasebar/LowerCaseEntry.h"

#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QThread>
#include <QValidator>

namespace kvel {

namespace {

constexpr int kFlashMs = 500;
const QColor kFlashColour(192, 192, 192);

class LowerCaseValidator : public QValidator
{
public:
    LowerCaseValidator(LowerCaseEntry* entry) : QValidator(entry), m_entry(entry) {}

    State validate(QString& input, int&) const override
    {
        if (input.size() > m_entry->allowedLength())
            return Invalid;
        input = input.toLower();
        return Acceptable;
    }

private:
    LowerCaseEntry* m_entry;
};

} // namespace

LowerCaseEntry::LowerCaseEntry(QWidget* parent) : QLineEdit(parent)
{
    setValidator(new LowerCaseValidator(this));
}

void LowerCaseEntry::setEntryText(const QString& text)
{
    m_allowedLength = std::max<qsizetype>(kMaxTyped, text.size());
    setText(text.toLower());
}

void LowerCaseEntry::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Paste) && !isReadOnly()) {
        emit pasteRequested(QClipboard::Clipboard);
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void LowerCaseEntry::mouseReleaseEvent(QMouseEvent* event)
{
    // The middle button pastes the mouse selection where the press put the cursor.
    if (event->button() == Qt::MiddleButton && !isReadOnly() &&
        QGuiApplication::clipboard()->supportsSelection()) {
        deselect();
        emit pasteRequested(QClipboard::Selection);
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void LowerCaseEntry::contextMenuEvent(QContextMenuEvent* event)
{
    // Qt's own menu asks the clipboard's owner whether there is anything to
    // paste before it opens; this one offers Paste without asking.
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const auto add = [menu](const QString& text, QKeySequence::StandardKey key, bool enabled,
                            auto slot) {
        const QKeySequence shortcut(key);
        QAction* action = menu->addAction(
            shortcut.isEmpty() ? text : text + u'\t' + shortcut.toString(QKeySequence::NativeText));
        action->setEnabled(enabled);
        QObject::connect(action, &QAction::triggered, menu, slot);
    };
    const bool selected = hasSelectedText() && echoMode() == Normal;
    add(QLineEdit::tr("&Undo"), QKeySequence::Undo, isUndoAvailable(), [this] { undo(); });
    add(QLineEdit::tr("&Redo"), QKeySequence::Redo, isRedoAvailable(), [this] { redo(); });
    menu->addSeparator();
    add(QLineEdit::tr("Cu&t"), QKeySequence::Cut, selected && !isReadOnly(), [this] { cut(); });
    add(QLineEdit::tr("&Copy"), QKeySequence::Copy, selected, [this] { copy(); });
    add(QLineEdit::tr("&Paste"), QKeySequence::Paste, !isReadOnly(),
        [this] { emit pasteRequested(QClipboard::Clipboard); });
    add(QLineEdit::tr("Delete"), QKeySequence::UnknownKey, hasSelectedText() && !isReadOnly(),
        [this] { del(); });
    menu->addSeparator();
    add(QLineEdit::tr("Select All"), QKeySequence::SelectAll, !text().isEmpty(),
        [this] { selectAll(); });
    menu->popup(event->globalPos());
}

void LowerCaseEntry::moveCaretToEnd()
{
    deselect();
    setCursorPosition(int(text().size()));
}

void LowerCaseEntry::flash()
{
    const QPalette saved = palette();
    QPalette flashed = saved;
    flashed.setColor(QPalette::Base, kFlashColour);
    setPalette(flashed);
    repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    QThread::msleep(kFlashMs);
    setPalette(saved);
}

} // namespace kvel
