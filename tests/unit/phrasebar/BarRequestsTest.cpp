// SPDX-License-Identifier: GPL-2.0-or-later
// A second start's requests reaching the running bar: the words a start
// hands over through the settings file and the socket, and the toggle of a
// bar on another workspace.
#include "BarTestFixture.h"
#include "shell/instance/SingleInstance.h"
#include "shell/settings/HandOver.h"

using namespace kvel;
using namespace kvel::test;
using namespace Qt::StringLiterals;

namespace {

constexpr int kGenerousMs = 10000;

struct HandOverCase
{
    QStringList words;
    QString paramStr; // as the settings file keeps it
    QString entry;    // as the running bar shows it
};

} // namespace

class BarRequestsTest : public BarTest
{
protected:
    // What main() does for a start: the words into the settings file, then the
    // request to the instance holding the lock.
    bool startWith(const QStringList& words)
    {
        SingleInstance start(runtimeDir(), kSession);
        if (start.becomePrimary() || !writeHandOver(paths.settingsFile, words))
            return false;
        return start.sendToPrimary(words.isEmpty() ? InstanceRequest::ToggleBar
                                                   : InstanceRequest::LookUpHandOver);
    }

    QString runtimeDir() const { return dir.filePath(u"runtime"_s); }

    const QString kSession = u"notkvel-test"_s;
};

TEST_F(BarRequestsTest, WordsOfASecondStartReachTheRunningBarAndAStartWithoutWordsTogglesIt)
{
    SingleInstance running(runtimeDir(), kSession);
    ASSERT_TRUE(running.becomePrimary());
    QObject::connect(&running, &SingleInstance::requestReceived, bar,
                     &TKvelMainForm::handleInstanceRequest);

    const HandOverCase cases[] = {
        {{u"House"_s}, u"House"_s, u"house"_s},
        {{u"house"_s, u"cat"_s}, u"house cat"_s, u"house cat"_s},
        // Options are words, and so is what looks like the file's own syntax.
        {{u"-platform"_s, u"offscreen"_s, u"house"_s},
         u"-platform offscreen house"_s,
         u"-platform offscreen house"_s},
        {{u"a\n[IE]\nParamCount=9"_s}, u"a[IE]ParamCount=9"_s, u"aieparamcount=9"_s},
        {{u"\u0160KOLA"_s, u"\U0001F600"_s},
         u"\u0160KOLA \U0001F600"_s,
         u"\u0161kola \U0001F600"_s},
        {{QString(300, u'x')}, QString(255, u'x'), QString(255, u'x')},
    };
    for (const HandOverCase& c : cases) {
        SCOPED_TRACE(c.paramStr.toStdString());
        bar->entry()->clear();
        ASSERT_TRUE(startWith(c.words));
        EXPECT_TRUE(QTest::qWaitFor([&] { return bar->entry()->text() == c.entry; }, kGenerousMs))
            << bar->entry()->text().toStdString();
        const HandOver handOver = readHandOver(paths.settingsFile);
        EXPECT_EQ(handOver.paramCount, c.words.size());
        EXPECT_EQ(handOver.paramStr, c.paramStr);
        EXPECT_TRUE(bar->isVisible());
    }

    ASSERT_TRUE(startWith({}));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !bar->isVisible(); }, kGenerousMs));
    const HandOver handOver = readHandOver(paths.settingsFile);
    EXPECT_EQ(handOver.paramCount, 0);
    EXPECT_EQ(handOver.paramStr, QString());
}

TEST_F(BarRequestsTest, TheBarAndItsBalloonAreOnEveryWorkspaceAndOneOnAnotherComesHere)
{
    const QList<const QWidget*>& onEvery = desktop->windowEffects->onEveryWorkspace;
    EXPECT_TRUE(onEvery.contains(bar));
    EXPECT_TRUE(onEvery.contains(bar->balloon()));

    // Moved to another workspace, the bar is out of sight: a toggle brings it.
    desktop->windowEffects->onCurrent = false;
    const qsizetype asked = onEvery.size();
    bar->handleInstanceRequest(InstanceRequest::ToggleBar);
    QCoreApplication::processEvents();
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(onEvery.size(), asked + 1);
    EXPECT_EQ(onEvery.last(), bar);

    desktop->windowEffects->onCurrent = true;
    bar->handleInstanceRequest(InstanceRequest::ToggleBar);
    QCoreApplication::processEvents();
    EXPECT_FALSE(bar->isVisible());
}

namespace {

// Counts the times the phrase bar is hidden, from before it is built.
class BarHidings final : public QObject
{
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Hide && watched->objectName() == u"TKvelMainForm"_s)
            ++count;
        return false;
    }
    int count = 0;
};

// A first start in tray mode, with words handed over and a tray host.
class TrayStartWithWordsTest : public BarTest
{
protected:
    void SetUp() override
    {
        qApp->installEventFilter(&hidings);
        BarTest::SetUp();
    }
    void TearDown() override
    {
        qApp->removeEventFilter(&hidings);
        BarTest::TearDown();
    }
    QByteArray initialSettings() const override
    {
        return "[Preferences]\nTray=1\nAutoStart=0\nIE=0\nTips=0\nClipboard=0\n"
               "[Window]\nLeft=10\nTop=10\n[IE]\nParamCount=1\nParamStr=house\n";
    }
    bool trayAvailable() const override { return true; }

    BarHidings hidings;
};

} // namespace

TEST_F(TrayStartWithWordsTest, TheBarShowsTheWordsWithoutBeingHiddenFirst)
{
    ASSERT_TRUE(QTest::qWaitFor([&] { return bar->entry()->text() == u"house"_s; }, kGenerousMs));
    EXPECT_TRUE(bar->isVisible());
    EXPECT_TRUE(balloon().isVisible());
    EXPECT_TRUE(tray->shown);
    EXPECT_FALSE(tray->hiddenPicture);
    // Hidden and shown again at once, a window manager can lose the bar.
    EXPECT_EQ(hidings.count, 0);
}
