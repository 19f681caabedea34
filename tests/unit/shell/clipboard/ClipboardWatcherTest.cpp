// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/clipboard/ClipboardWatcher.h"

#include "support/WaitFor.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <vector>

using namespace Qt::StringLiterals;
using namespace kvel;

namespace {

// Answers only when the test says so, like an owner that takes its time.
class SlowClipboardReader : public ClipboardReader
{
public:
    void readText(QClipboard::Mode mode, Done done) override
    {
        modes.push_back(mode);
        m_waiting.push_back(std::move(done));
    }
    bool asked() const { return !m_waiting.empty(); }
    void answer(const std::optional<QString>& text)
    {
        for (const Done& done : std::exchange(m_waiting, {}))
            done(text);
    }

    std::vector<QClipboard::Mode> modes;

private:
    std::vector<Done> m_waiting;
};

class ClipboardWatcherTest : public testing::Test
{
protected:
    void SetUp() override { watcher.setWatching(true); }

    void copyElsewhere() { emit QGuiApplication::clipboard()->dataChanged(); }

    SlowClipboardReader* reader = new SlowClipboardReader;
    ClipboardWatcher watcher{nullptr, reader};
    QSignalSpy copied{&watcher, &ClipboardWatcher::textCopied};
};

TEST_F(ClipboardWatcherTest, TellsTheTextOnceTheReaderHasIt)
{
    copyElsewhere();
    KVEL_WAIT_TRUE(reader->asked());
    QTest::qWait(100);
    EXPECT_EQ(copied.count(), 0) << "nothing is told before the owner answers";
    reader->answer(u"house"_s);
    KVEL_WAIT_EQ(copied.count(), 1);
    EXPECT_EQ(copied.at(0).at(0).toString(), u"house"_s);
}

TEST_F(ClipboardWatcherTest, NoTextOrAnAnswerAfterWatchingStoppedIsNoNews)
{
    const struct
    {
        bool stopWatching;
        std::optional<QString> answer;
    } cases[] = {{false, std::nullopt}, {true, u"house"_s}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stopWatching);
        watcher.setWatching(true);
        copyElsewhere();
        KVEL_WAIT_TRUE(reader->asked());
        if (c.stopWatching)
            watcher.setWatching(false);
        reader->answer(c.answer);
        QTest::qWait(100);
        EXPECT_EQ(copied.count(), 0);
    }
}

TEST_F(ClipboardWatcherTest, AReadForTheBarGetsOnlyText)
{
    QStringList texts;
    watcher.readText(QClipboard::Clipboard, [&](const QString& text) { texts << text; });
    reader->answer(std::nullopt);
    watcher.readText(QClipboard::Clipboard, [&](const QString& text) { texts << text; });
    reader->answer(u"kuća"_s);
    EXPECT_EQ(texts, QStringList{u"kuća"_s});
}

TEST_F(ClipboardWatcherTest, ChangesAreReadFromTheClipboardNotTheMouseSelection)
{
    copyElsewhere();
    KVEL_WAIT_TRUE(reader->asked());
    watcher.readText(QClipboard::Selection, [](const QString&) {});
    EXPECT_EQ(reader->modes, (std::vector{QClipboard::Clipboard, QClipboard::Selection}));
}

} // namespace
