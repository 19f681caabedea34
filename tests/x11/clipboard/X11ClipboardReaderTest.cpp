// SPDX-License-Identifier: GPL-2.0-or-later
// The clipboard read on an X connection of its own, against fake owners on
// the private X server the script started (DISPLAY).
#include "shell/clipboard/X11ClipboardReader.h"

#include "FakeSelectionOwner.h"
#include "shell/clipboard/X11SelectionText.h"
#include "support/WaitFor.h"

#include <QElapsedTimer>
#include <QTest>
#include <gtest/gtest.h>
#include <thread>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;
using namespace kvel;
using namespace kvel::test;

namespace {

constexpr qsizetype kLimit = 64 * 1024;

std::optional<QString> readClipboard(std::chrono::milliseconds deadline = 10s,
                                     const char* selection = "CLIPBOARD", std::stop_token stop = {})
{
    return readX11SelectionText(qgetenv("DISPLAY"), selection, {deadline, kLimit}, stop);
}

struct OwnerCase
{
    const char* name;
    OwnerScript script;
    std::optional<QString> text;
};

class X11ClipboardOwners : public testing::TestWithParam<OwnerCase>
{
};

TEST_P(X11ClipboardOwners, GiveTheirPlainText)
{
    FakeSelectionOwner owner(GetParam().script);
    ASSERT_TRUE(owner.owns());
    EXPECT_EQ(readClipboard(), GetParam().text);
}

const QByteArray kKuca = "ku\xc4\x87"
                         "a";

INSTANTIATE_TEST_SUITE_P(
    Cases, X11ClipboardOwners,
    testing::Values(
        OwnerCase{"Utf8", {{{"UTF8_STRING", kKuca}, {"STRING", "kuca"}}}, u"kuća"_s},
        OwnerCase{"Latin1Only", {{{"STRING", "caf\xe9"}}}, u"café"_s},
        OwnerCase{"NoTargetList", {{{"UTF8_STRING", kKuca}}, false}, u"kuća"_s},
        OwnerCase{"NoTargetListLatin1", {{{"STRING", "caf\xe9"}}, false}, u"café"_s},
        OwnerCase{"FileList",
                  {{{"text/uri-list", "file:///tmp/a"}, {"UTF8_STRING", "/tmp/a"}}},
                  std::nullopt},
        OwnerCase{"Picture", {{{"image/png", "\x89PNG"}, {"UTF8_STRING", "house"}}}, std::nullopt},
        OwnerCase{"PasswordManagerSecret",
                  {{{"UTF8_STRING", "hunter2"}, {"x-kde-passwordManagerHint", "secret"}}},
                  std::nullopt},
        OwnerCase{"PasswordManagerHintWithoutSecret",
                  {{{"UTF8_STRING", "house"}, {"x-kde-passwordManagerHint", "public"}}},
                  u"house"_s},
        OwnerCase{"NoText", {{{"image/png", "\x89PNG"}}}, std::nullopt},
        OwnerCase{"Incremental",
                  {{{"UTF8_STRING", QByteArray(10000, 'a') + kKuca}}, true, true, 1000},
                  QString(10000, u'a') + u"kuća"_s}),
    [](const testing::TestParamInfo<OwnerCase>& info) { return info.param.name; });

TEST(X11Clipboard, WithoutAnOwnerThereIsNoText)
{
    {
        FakeSelectionOwner gone(OwnerScript{{{"UTF8_STRING", "house"}}});
    } // its connection closes, the clipboard has no owner
    EXPECT_EQ(readClipboard(), std::nullopt);
}

TEST(X11Clipboard, TheMouseSelectionIsReadApart)
{
    FakeSelectionOwner owner(OwnerScript{{{"UTF8_STRING", "house"}}, true, true, 0, "PRIMARY"});
    ASSERT_TRUE(owner.owns());
    EXPECT_EQ(readClipboard(10s, "PRIMARY"), u"house"_s);
}

TEST(X11Clipboard, ALongTextIsCutAtTheLimit)
{
    FakeSelectionOwner owner(OwnerScript{{{"UTF8_STRING", QByteArray(200'000, 'a')}}});
    EXPECT_EQ(readClipboard(), QString(kLimit, u'a'));
}

TEST(X11Clipboard, AnIncrementalTransferIsCutAtTheLimit)
{
    const qsizetype piece = 16 * 1024;
    FakeSelectionOwner owner(
        OwnerScript{{{"UTF8_STRING", QByteArray(1'000'000, 'a')}}, true, true, piece});
    EXPECT_EQ(readClipboard(), QString(kLimit, u'a'));
    EXPECT_LE(owner.piecesSent(), kLimit / piece + 1) << "the rest is left with the owner";
}

TEST(X11Clipboard, AnOwnerThatNeverAnswersGivesNothingAtTheDeadline)
{
    FakeSelectionOwner silent(OwnerScript{{{"UTF8_STRING", "house"}}, true, false});
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(readClipboard(300ms), std::nullopt);
    EXPECT_LT(clock.elapsed(), 5000);
}

TEST(X11Clipboard, AStopRequestEndsAWaitingRead)
{
    FakeSelectionOwner silent(OwnerScript{{{"UTF8_STRING", "house"}}, true, false});
    std::stop_source stop;
    std::jthread stopper([&] {
        std::this_thread::sleep_for(100ms);
        stop.request_stop();
    });
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(readClipboard(60s, "CLIPBOARD", stop.get_token()), std::nullopt);
    EXPECT_LT(clock.elapsed(), 30'000) << "the read waited for its 60 s deadline";
}

// The reader answers on the thread that asked, through its event loop.
TEST(X11ClipboardReaderTest, AnswersEveryRequestAndReadsAfterASilentOwner)
{
    X11ClipboardReader reader(qgetenv("DISPLAY"));
    std::optional<FakeSelectionOwner> owner(std::in_place,
                                            OwnerScript{{{"UTF8_STRING", "house"}}, true, false});
    int answered = 0;
    const auto count = [&](const std::optional<QString>& text) {
        EXPECT_EQ(text, std::nullopt);
        ++answered;
    };
    reader.readText(QClipboard::Clipboard, count);
    // The second asks while the first waits for the silent owner.
    reader.readText(QClipboard::Clipboard, count);
    KVEL_WAIT_EQ_FOR(answered, 2, 20'000);

    owner.emplace(OwnerScript{{{"UTF8_STRING", kKuca}}});
    std::optional<QString> text;
    reader.readText(QClipboard::Clipboard, [&](const std::optional<QString>& t) { text = t; });
    KVEL_WAIT_EQ_FOR(text, std::optional<QString>(u"kuća"_s), 20'000);
}

} // namespace
