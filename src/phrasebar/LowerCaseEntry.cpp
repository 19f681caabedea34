// SPDX-License-Identifier: GPL-2.0-or-later
#include "phrasebar/LowerCaseEntry.h"

#include "core/strings/StringTable.h"

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

// Characters, not UTF-16 units: a surrogate pair is one character.
qsizetype characterCount(QStringView text)
{
    qsizetype count = 0;
    for (qsizetype unit = 0; unit < text.size(); ++unit, ++count) {
        if (text[unit].isHighSurrogate() && unit + 1 < text.size() &&
            text[unit + 1].isLowSurrogate())
            ++unit;
    }
    return count;
}

// The first `count` characters, never half a surrogate pair.
QStringView firstCharacters(QStringView text, qsizetype count)
{
    qsizetype unit = 0;
    for (; unit < text.size() && count > 0; ++unit, --count) {
        if (text[unit].isHighSurrogate() && unit + 1 < text.size() &&
            text[unit + 1].isLowSurrogate())
            ++unit;
    }
    return text.first(unit);
}

class LowerCaseValidator : public QValidator
{
public:
    LowerCaseValidator(LowerCaseEntry* entry) : QValidator(entry), m_entry(entry) {}

    State validate(QString& input, int&) const override
    {
        input = input.toLower();
        return characterCount(input) > m_entry->allowedLength() ? Invalid : Acceptable;
    }

private:
    LowerCaseEntry* m_entry;
};

} // namespace

LowerCaseEntry::LowerCaseEntry(QWidget* parent) : QLineEdit(parent)
{
    setValidator(new LowerCaseValidator(this));
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_allowedLength = std::max<qsizetype>(kMaxTyped, characterCount(text));
    });
}

void LowerCaseEntry::setEntryText(const QString& text)
{
    const QString lowered = text.toLower();
    m_allowedLength = std::max<qsizetype>(kMaxTyped, characterCount(lowered));
    setText(lowered);
}

void LowerCaseEntry::insertPasted(const QString& text)
{
    const qsizetype kept = characterCount(this->text()) - characterCount(selectedText());
    const qsizetype room = std::max<qsizetype>(0, m_allowedLength - kept);
    // Cut before lowering, so a huge clipboard is not lowered whole, and again
    // after, as a few capitals lower to two characters.
    const QString lowered = firstCharacters(text, room).toString().toLower();
    insert(firstCharacters(lowered, room).toString());
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
    // Qt's own menu is in Qt's language and asks the clipboard's owner whether
    // there is anything to paste before it opens; this one follows the
    // interface language and offers Paste without asking.
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
    const bool editable = !isReadOnly();
    add(LoadLngText(StringId::EntryMenuUndo), QKeySequence::Undo, editable && isUndoAvailable(),
        [this] { undo(); });
    add(LoadLngText(StringId::EntryMenuRedo), QKeySequence::Redo, editable && isRedoAvailable(),
        [this] { redo(); });
    menu->addSeparator();
    add(LoadLngText(StringId::EntryMenuCut), QKeySequence::Cut, selected && editable,
        [this] { cut(); });
    add(LoadLngText(StringId::EntryMenuCopy), QKeySequence::Copy, selected, [this] { copy(); });
    add(LoadLngText(StringId::EntryMenuPaste), QKeySequence::Paste, editable,
        [this] { emit pasteRequested(QClipboard::Clipboard); });
    add(LoadLngText(StringId::EntryMenuDelete), QKeySequence::Delete, hasSelectedText() && editable,
        [this] { del(); });
    menu->addSeparator();
    add(LoadLngText(StringId::EntryMenuSelectAll), QKeySequence::SelectAll,
        !text().isEmpty() && selectedText() != text(), [this] { selectAll(); });
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
