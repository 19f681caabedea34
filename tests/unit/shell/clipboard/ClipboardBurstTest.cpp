// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/clipboard/ClipboardBurst.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;
using namespace kvel;

namespace {

// The burst is driven by hand: texts are added within one turn of the event
// loop, so they always belong to one burst, however slow the machine.
constexpr auto kQuiet = 20ms;
constexpr int kWaitMs = 5000;

struct BurstCase
{
    const char* name;
    QStringList added;
    QString settled;
};

class Bursts : public testing::TestWithParam<BurstCase>
{
};

TEST_P(Bursts, HandOnOnlyTheLastText)
{
    ClipboardBurst burst(kQuiet);
    QSignalSpy spy(&burst, &ClipboardBurst::settled);
    for (const QString& text : GetParam().added)
        burst.add(text);
    ASSERT_TRUE(spy.wait(kWaitMs));
    ASSERT_EQ(spy.size(), 1);
    EXPECT_EQ(spy.at(0).at(0).toString(), GetParam().settled);
    EXPECT_FALSE(burst.isPending());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Bursts,
    testing::Values(BurstCase{"One", {u"house"_s}, u"house"_s},
                    BurstCase{"Several", {u"h"_s, u"ho"_s, u"house"_s}, u"house"_s},
                    BurstCase{"SameTextTwice", {u"house"_s, u"house"_s}, u"house"_s},
                    BurstCase{"EmptyLast", {u"house"_s, QString()}, QString()}),
    [](const testing::TestParamInfo<BurstCase>& info) { return info.param.name; });

TEST(ClipboardBurst, SeparateBurstsSettleSeparately)
{
    ClipboardBurst burst(kQuiet);
    QSignalSpy spy(&burst, &ClipboardBurst::settled);
    burst.add(u"house"_s);
    ASSERT_TRUE(spy.wait(kWaitMs));
    burst.add(u"cat"_s);
    ASSERT_TRUE(spy.wait(kWaitMs));
    ASSERT_EQ(spy.size(), 2);
    EXPECT_EQ(spy.at(0).at(0).toString(), u"house"_s);
    EXPECT_EQ(spy.at(1).at(0).toString(), u"cat"_s);
}

TEST(ClipboardBurst, ClearedBurstSettlesNothing)
{
    ClipboardBurst burst(kQuiet);
    QSignalSpy spy(&burst, &ClipboardBurst::settled);
    burst.add(u"house"_s);
    burst.clear();
    EXPECT_FALSE(burst.isPending());
    // A later burst settles alone, without the cleared text.
    burst.add(u"cat"_s);
    ASSERT_TRUE(spy.wait(kWaitMs));
    ASSERT_EQ(spy.size(), 1);
    EXPECT_EQ(spy.at(0).at(0).toString(), u"cat"_s);
}

} // namespace
