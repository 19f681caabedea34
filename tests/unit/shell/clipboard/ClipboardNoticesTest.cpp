// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/clipboard/ClipboardNotices.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTimer>
#include <gtest/gtest.h>

using namespace std::chrono_literals;
using namespace kvel;

namespace {

constexpr int kWaitMs = 5000;

TEST(ClipboardNotices, ManyNoticesInOneTurnSettleOnce)
{
    ClipboardNotices notices(20ms, 500ms);
    QSignalSpy spy(&notices, &ClipboardNotices::settled);
    for (int i = 0; i < 10000; ++i)
        notices.notice();
    ASSERT_TRUE(spy.wait(kWaitMs));
    // Nothing more follows once the run has settled.
    EXPECT_FALSE(spy.wait(200));
    EXPECT_EQ(spy.size(), 1);
    EXPECT_FALSE(notices.isPending());
}

TEST(ClipboardNotices, SeparateRunsSettleSeparately)
{
    ClipboardNotices notices(20ms, 500ms);
    QSignalSpy spy(&notices, &ClipboardNotices::settled);
    notices.notice();
    ASSERT_TRUE(spy.wait(kWaitMs));
    notices.notice();
    ASSERT_TRUE(spy.wait(kWaitMs));
    EXPECT_EQ(spy.size(), 2);
}

TEST(ClipboardNotices, ClearedRunSettlesNothing)
{
    ClipboardNotices notices(20ms, 500ms);
    QSignalSpy spy(&notices, &ClipboardNotices::settled);
    notices.notice();
    notices.clear();
    EXPECT_FALSE(notices.isPending());
    EXPECT_FALSE(spy.wait(200));
}

TEST(ClipboardNotices, NoticesThatNeverPauseStillSettleNowAndThen)
{
    // A notice every 5 ms never leaves the 100 ms pause; only the longest
    // wait of 150 ms lets the clipboard be read during the stream.
    ClipboardNotices notices(100ms, 150ms);
    QSignalSpy spy(&notices, &ClipboardNotices::settled);
    QTimer stream;
    stream.setInterval(5);
    QObject::connect(&stream, &QTimer::timeout, &notices, &ClipboardNotices::notice);
    stream.start();
    QElapsedTimer elapsed;
    elapsed.start();
    while (spy.size() < 2 && elapsed.elapsed() < kWaitMs)
        spy.wait(kWaitMs - int(elapsed.elapsed()));
    stream.stop();
    EXPECT_GE(spy.size(), 2) << "the clipboard is never read while notices keep coming";
}

TEST(ClipboardNotices, LongestWaitShorterThanThePauseActsAsThePause)
{
    ClipboardNotices notices(50ms, 10ms);
    QSignalSpy spy(&notices, &ClipboardNotices::settled);
    notices.notice();
    ASSERT_TRUE(spy.wait(kWaitMs));
    EXPECT_EQ(spy.size(), 1);
}

} // namespace
