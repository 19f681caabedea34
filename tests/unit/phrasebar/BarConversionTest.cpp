// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/Program.h"
#include "core/strings/StringTable.h"
#include "phrasebar/LowerCaseEntry.h"
#include "phrasebar/TKvelMainForm.h"
#include "support/FakeDesktop.h"
#include "support/GatedConverter.h"

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

using namespace kvel;
using namespace kvel::test;
using namespace Qt::StringLiterals;

namespace {

constexpr int kGenerousMs = 15000;

// A bar whose dictionary is an Access file, converted by a stand-in that
// holds each conversion until the test lets it end.
class BarConversionTest : public testing::Test
{
protected:
    void SetUp() override
    {
        SetLanguageOffset(0);
        // The stand-in never reads the file: the engine's name is what tells it.
        writeFile(jetFile, QByteArray("\0\1\0\0Standard Jet DB\0", 20) + QByteArray(2028, '\0'));
        gate.handOut({{u"cat"_s, u"mačka"_s, -1}});
        QObject::connect(&ticker, &QTimer::timeout, [this] { ++ticks; });
    }
    void TearDown() override
    {
        gate.open(); // the bar waits for a conversion under way when it goes
        bar = nullptr;
        program.reset();
        SetLanguageOffset(0);
    }

    void start(const QByteArray& preferences)
    {
        writeFile(settingsFile,
                  "[Preferences]\nTray=0\nAutoStart=0\nIE=0\nClipboard=0\n" + preferences);
        ticker.start(10);
        program = std::make_unique<Program>(BarPaths{settingsFile, jetFile, gate.converter()},
                                            desktop.services());
        bar = &program->bar();
        program->start();
    }
    // The event loop keeps running the ticker, yet the balloon stays hidden.
    void expectNothingShownWhileConverting(const char* why)
    {
        const int before = ticks;
        EXPECT_TRUE(QTest::qWaitFor([&] { return ticks >= before + 3; }, kGenerousMs));
        EXPECT_FALSE(bar->balloon()->isVisible()) << why;
    }
    bool balloonShows(ContentKind kind)
    {
        return QTest::qWaitFor(
            [&] { return bar->balloon()->isVisible() && bar->balloon()->contentKind() == kind; },
            kGenerousMs);
    }
    void touchDictionary(qint64 secondsSinceEpoch)
    {
        QFile file(jetFile);
        file.open(QIODevice::ReadWrite);
        file.setFileTime(QDateTime::fromSecsSinceEpoch(secondsSinceEpoch),
                         QFileDevice::FileModificationTime);
    }
    static void writeFile(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QTemporaryDir dir;
    QString settingsFile = dir.filePath(u"kvel.ini"_s);
    QString jetFile = dir.filePath(u"kvel.mdb"_s);
    GatedConverter gate{dir.path()};
    QTimer ticker;
    int ticks = 0;
    FakeDesktop desktop;
    std::unique_ptr<Program> program;
    TKvelMainForm* bar = nullptr; // the program's
};

} // namespace

TEST_F(BarConversionTest, APhraseTypedWhileConvertingIsAnsweredWhenTheConversionEnds)
{
    start("Tips=1\n");
    ASSERT_TRUE(QTest::qWaitFor([&] { return gate.started(); }, kGenerousMs));
    QTest::keyClicks(bar->entry(), u"ca"_s);
    QTest::keyClicks(bar->entry(), u"t"_s);
    expectNothingShownWhileConverting("nothing is shown before the checks");

    gate.open();
    ASSERT_TRUE(balloonShows(ContentKind::Results));
    EXPECT_EQ(bar->balloon()->sourceLines(), QStringList{u"cat~0mačka"_s});
    EXPECT_EQ(bar->entry()->text(), u"cat"_s);
}

TEST_F(BarConversionTest, TheTipOfTheFirstShowWaitsForTheConversion)
{
    start("Tips=1\n");
    ASSERT_TRUE(QTest::qWaitFor([&] { return gate.started(); }, kGenerousMs));
    expectNothingShownWhileConverting("the tip waits too");

    gate.open();
    EXPECT_TRUE(balloonShows(ContentKind::Tip));
}

TEST_F(BarConversionTest, ATouchedDictionaryConvertsAgainWhileTheBarRuns)
{
    gate.open();
    start("Tips=0\n");
    QTest::keyClicks(bar->entry(), u"cat"_s);
    ASSERT_TRUE(balloonShows(ContentKind::Results));

    gate.close();
    gate.handOut({{u"cat"_s, u"mače"_s, -1}});
    touchDictionary(1700000000);
    bar->entry()->clear();
    QTest::keyClicks(bar->entry(), u"cat"_s);
    ASSERT_TRUE(QTest::qWaitFor([&] { return gate.started(); }, kGenerousMs));
    expectNothingShownWhileConverting("no answer from the file as it was");

    gate.open();
    ASSERT_TRUE(balloonShows(ContentKind::Results));
    EXPECT_EQ(bar->balloon()->sourceLines(), QStringList{u"cat~0mače"_s});
}
