// SPDX-License-Identifier: GPL-2.0-or-later
#include "BarTestFixture.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMenu>

using namespace kvel;
using namespace kvel::test;
using namespace Qt::StringLiterals;

namespace {

const QString kClef = u"\U0001D11E"_s; // one character, two UTF-16 units

QString times(qsizetype count, const QString& text)
{
    return text.repeated(count);
}

class EntryTest : public BarTest
{
protected:
    // Each character as one key, a surrogate pair included.
    void typeCharacters(const QString& text)
    {
        for (const uint codePoint : text.toUcs4()) {
            const char32_t character32 = codePoint;
            const QString character = QString::fromUcs4(&character32, 1);
            QTest::sendKeyEvent(QTest::Click, bar->entry(), Qt::Key_unknown, character,
                                Qt::NoModifier);
        }
    }

    QMenu* openMenu()
    {
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                                bar->entry()->mapToGlobal(QPoint(5, 5)));
        QCoreApplication::sendEvent(bar->entry(), &event);
        const QList<QMenu*> menus = bar->entry()->findChildren<QMenu*>();
        return menus.isEmpty() ? nullptr : menus.last();
    }
};

} // namespace

TEST_F(EntryTest, APasteKeepsTheCharactersThatFit)
{
    struct Case
    {
        QString before;
        QString pasted;
        QString after;
    };
    const Case cases[] = {
        {u""_s, times(100, u"a"_s), times(92, u"a"_s)},
        {u"cat "_s, u"HOUSE"_s + times(95, u"b"_s), u"cat house"_s + times(83, u"b"_s)},
        {times(91, u"x"_s), kClef + kClef, times(91, u"x"_s) + kClef}, // never half a pair
        {times(90, u"x"_s), times(3, kClef), times(90, u"x"_s) + kClef + kClef},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.before.size());
        bar->entry()->setEntryText(c.before);
        QGuiApplication::clipboard()->setText(c.pasted);
        key(Qt::Key_V, Qt::ControlModifier);
        // Waited for, as the clipboard is read a moment later.
        QTest::qWaitFor([&] { return bar->entry()->text() == c.after; }, 5000);
        EXPECT_EQ(bar->entry()->text(), c.after);
    }
}

TEST_F(EntryTest, TypingCountsCharactersAndALongPhraseCanShrinkButNotGrow)
{
    struct Case
    {
        QString fromOutside;
        int backspaces;
        QString typed;
        QString after;
    };
    const Case cases[] = {
        {times(91, u"x"_s), 0, kClef + u"y"_s, times(91, u"x"_s) + kClef},
        {times(120, u"a"_s), 0, u"b"_s, times(120, u"a"_s)},
        {times(120, u"a"_s), 30, u"bbbbb"_s, times(90, u"a"_s) + u"bb"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fromOutside.size());
        bar->setEntryText(c.fromOutside);
        ASSERT_EQ(bar->entry()->text(), c.fromOutside);
        for (int i = 0; i < c.backspaces; ++i)
            key(Qt::Key_Backspace);
        typeCharacters(c.typed);
        EXPECT_EQ(bar->entry()->text(), c.after);
    }
}

TEST_F(EntryTest, TheEntryMenuSpeaksTheInterfaceLanguageAndEnablesAsQtDoes)
{
    struct Item
    {
        QString serbian;
        QString english;
        QKeySequence::StandardKey shortcut;
        bool enabledWithoutSelection;
        bool enabledWithAllSelected;
    };
    const Item items[] = {
        {u"Poništi"_s, u"Undo"_s, QKeySequence::Undo, true, true},
        {u"Ponovi"_s, u"Redo"_s, QKeySequence::Redo, false, false},
        {u"Iseci"_s, u"Cut"_s, QKeySequence::Cut, false, true},
        {u"Kopiraj"_s, u"Copy"_s, QKeySequence::Copy, false, true},
        {u"Nalepi"_s, u"Paste"_s, QKeySequence::Paste, true, true},
        {u"Obriši"_s, u"Delete"_s, QKeySequence::Delete, false, true},
        {u"Izaberi sve"_s, u"Select All"_s, QKeySequence::SelectAll, true, false},
    };
    type(u"house"_s);
    for (const bool english : {false, true}) {
        if (english)
            key(Qt::Key_I, Qt::AltModifier);
        for (const bool allSelected : {false, true}) {
            if (allSelected)
                bar->entry()->selectAll();
            else
                bar->entry()->deselect();
            QMenu* menu = openMenu();
            ASSERT_NE(menu, nullptr);
            QList<QAction*> actions = menu->actions();
            actions.removeIf([](const QAction* action) { return action->isSeparator(); });
            ASSERT_EQ(actions.size(), std::size(items));
            for (size_t i = 0; i < std::size(items); ++i) {
                const Item& item = items[i];
                const QString shortcut =
                    QKeySequence(item.shortcut).toString(QKeySequence::NativeText);
                EXPECT_EQ(actions[i]->text(),
                          (english ? item.english : item.serbian) + u'\t' + shortcut);
                EXPECT_EQ(actions[i]->isEnabled(),
                          allSelected ? item.enabledWithAllSelected : item.enabledWithoutSelection)
                    << item.english.toStdString() << (allSelected ? " with all selected" : "");
            }
            delete menu;
        }
    }
}
