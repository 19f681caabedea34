// SPDX-License-Identifier: GPL-2.0-or-later
#include "phrasebar/BarKeys.h"

#include "BarTestFixture.h"

#include <QKeyEvent>
#include <QMenu>

using namespace kvel;
using namespace kvel::test;
using namespace Qt::StringLiterals;

namespace {

class BarKeysTest : public BarTest
{
protected:
    void SetUp() override
    {
        BarTest::SetUp();
        auto* keys = bar->findChild<BarKeys*>();
        ASSERT_NE(keys, nullptr);
        QObject::connect(keys, &BarKeys::commandKeyed,
                         [this](BarCommand command) { keyed.append(command); });
    }

    // The command the key ran, None when it ran none; the entry is emptied
    // for the next key.
    BarCommand commandOf(const std::function<void()>& press)
    {
        keyed.clear();
        bar->entry()->setEntryText(QString());
        press();
        if (QMenu* menu = QApplication::activePopupWidget() ? bar->menus().mainMenu() : nullptr)
            menu->close();
        return keyed.size() == 1 ? keyed.front() : BarCommand::None;
    }

    QList<BarCommand> keyed;
};

} // namespace

TEST_F(BarKeysTest, EveryKeyOfTheBarRunsItsCommand)
{
    const Qt::KeyboardModifiers alt = Qt::AltModifier;
    const Qt::KeyboardModifiers ctrlAlt = Qt::AltModifier | Qt::ControlModifier;
    struct Case
    {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        BarCommand command;
    };
    const Case cases[] = {
        {Qt::Key_Return, Qt::NoModifier, BarCommand::RememberAndFlash},
        {Qt::Key_Enter, Qt::KeypadModifier, BarCommand::RememberAndFlash},
        {Qt::Key_Return, ctrlAlt, BarCommand::RememberAndFlash},
        {Qt::Key_F1, Qt::NoModifier, BarCommand::HelpIndex},
        {Qt::Key_F1, Qt::ShiftModifier, BarCommand::HelpIndex},
        {Qt::Key_Z, alt, BarCommand::Pronounce},
        {Qt::Key_Z, Qt::NoModifier, BarCommand::None}, // plain letters are text
        {Qt::Key_L, alt, BarCommand::NextSearchLanguage},
        {Qt::Key_L, alt | Qt::ShiftModifier, BarCommand::NextSearchLanguage},
        {Qt::Key_K, alt, BarCommand::HelpKeyboard},
        {Qt::Key_A, alt, BarCommand::About},
        {Qt::Key_T, alt, BarCommand::TipOfTheDay},
        {Qt::Key_D, alt, BarCommand::Donations},
        {Qt::Key_H, alt, BarCommand::ClearRecent},
        {Qt::Key_I, alt, BarCommand::SwitchInterfaceLanguage},
        {Qt::Key_I, alt, BarCommand::SwitchInterfaceLanguage}, // and back
        {Qt::Key_1, alt, BarCommand::CopyPhrase},
        {Qt::Key_2, alt, BarCommand::CopyMeanings},
        {Qt::Key_3, alt, BarCommand::CopyPhraseAndMeanings},
        {Qt::Key_S, alt, BarCommand::ToggleLock},
        {Qt::Key_S, alt, BarCommand::ToggleLock}, // and unlocked again
        {Qt::Key_B, alt, BarCommand::FindBegins},
        {Qt::Key_C, alt, BarCommand::FindContains},
        {Qt::Key_E, alt, BarCommand::FindEnds},
        {Qt::Key_W, alt, BarCommand::FindWhole},
        {Qt::Key_B, alt, BarCommand::FindBegins},
        {Qt::Key_U, alt, BarCommand::PopupMenu},
        {Qt::Key_Up, alt, BarCommand::EdgeTop},
        {Qt::Key_Down, alt, BarCommand::EdgeBottom},
        {Qt::Key_Left, alt, BarCommand::EdgeLeft},
        {Qt::Key_Right, alt, BarCommand::EdgeRight},
        {Qt::Key_Up, ctrlAlt, BarCommand::StepUp},
        {Qt::Key_Down, ctrlAlt, BarCommand::StepDown},
        {Qt::Key_Left, ctrlAlt, BarCommand::StepLeft},
        {Qt::Key_Right, ctrlAlt | Qt::ShiftModifier, BarCommand::StepRight},
        {Qt::Key_Left, Qt::ControlModifier, BarCommand::None}, // Ctrl alone edits
        {Qt::Key_A, Qt::ControlModifier, BarCommand::None},
        {Qt::Key_Q, alt, BarCommand::None},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QKeySequence(c.key | c.modifiers).toString().toStdString());
        EXPECT_EQ(commandOf([&] { key(c.key, c.modifiers); }), c.command);
        if (c.modifiers.testFlag(Qt::AltModifier)) {
            EXPECT_EQ(bar->entry()->text(), u""_s) << "Alt combinations are never text";
        }
    }
}

// Qt names the Cyrillic letter; the command is the letter of the same key in
// the user's Latin layout, or at its US position when there is none.
TEST_F(BarKeysTest, AltCommandsFollowTheKeyUnderACyrillicLayout)
{
    GroupLetters qwertz; // Serbian Latin, on the evdev codes of the US rows
    for (const auto& [firstCode, row] :
         {std::pair{24u, "qwertzuiop"}, std::pair{38u, "asdfghjkl"}, std::pair{52u, "yxcvbnm"}}) {
        for (quint32 i = 0; row[i]; ++i)
            qwertz.insert(firstCode + i, row[i]);
    }
    struct Case
    {
        LayoutLetters layouts;
        quint32 keyCode;
        QChar cyrillic;
        BarCommand command;
    };
    const Case cases[] = {
        {{{}, qwertz}, 46, u'л', BarCommand::NextSearchLanguage},
        {{{}, qwertz}, 56, u'б', BarCommand::FindBegins},
        {{{}, qwertz}, 29, u'з', BarCommand::Pronounce}, // Z where QWERTZ has it
        {{{}, qwertz}, 52, u'ѕ', BarCommand::None},      // Y is no command
        {{{}}, 52, u'ѕ', BarCommand::Pronounce},         // Cyrillic only: US Z
        {{{}}, 47, u'ч', BarCommand::None},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keyCode);
        desktop->keyboard->letters = c.layouts;
        const int qtKey = c.cyrillic.toUpper().unicode();
        EXPECT_EQ(commandOf([&] {
                      QKeyEvent press(QEvent::KeyPress, qtKey, Qt::AltModifier, c.keyCode, 0, 0,
                                      QString(c.cyrillic));
                      QCoreApplication::sendEvent(bar->entry(), &press);
                  }),
                  c.command);
        EXPECT_EQ(bar->entry()->text(), u""_s);
    }
}
