// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/wayland/DesktopNotice.h"

#include "core/strings/StringTable.h"
#include "support/LanguageGuard.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace kvel;

namespace {

// Balloons hold at most this much (the bar cuts longer texts).
constexpr int kBalloonTitleMax = 63;
constexpr int kBalloonTextMax = 255;

const SessionInfo kGnome{SessionType::Wayland, DesktopKind::Gnome, u"wayland-0"_s};
const SessionInfo kSway{SessionType::Wayland, DesktopKind::Wlroots, u"wayland-1"_s};
const SessionInfo kKde{SessionType::Wayland, DesktopKind::Kde, u"wayland-0"_s};

struct NoticeCase
{
    const char* name;
    SessionInfo session;
    DesktopCapabilities capabilities;
    std::vector<StringId> lines; // empty: no notice at all
};

class NoticeContent : public testing::TestWithParam<std::tuple<NoticeCase, InterfaceLanguage>>
{
};

TEST_P(NoticeContent, NamesExactlyWhatIsMissing)
{
    const auto& [c, language] = GetParam();
    const test::LanguageGuard guard(language);

    const std::optional<DesktopNotice> notice = desktopNoticeFor(c.session, c.capabilities, false);
    if (c.lines.empty()) {
        EXPECT_FALSE(notice);
        return;
    }
    ASSERT_TRUE(notice);
    EXPECT_EQ(notice->title, LoadLngText(StringId::DesktopNoticeTitle, language));
    QStringList expected;
    for (const StringId id : c.lines)
        expected << LoadLngText(id, language);
    EXPECT_EQ(notice->lines, expected);
    EXPECT_EQ(notice->text(), expected.join(u"\r\n"_s));
    for (const QString& line : notice->lines)
        EXPECT_FALSE(line.isEmpty());
    EXPECT_LE(notice->title.size(), kBalloonTitleMax);
    // Balloons need a tray: a notice with a tray line goes to the translation
    // window, every other one must fit a balloon whole.
    if (c.capabilities.tray) {
        EXPECT_LE(notice->text().size(), kBalloonTextMax) << notice->text().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Combinations, NoticeContent,
    testing::Combine(
        testing::Values(
            NoticeCase{"KdeHasEverything", kKde, {true, true, true}, {}},
            NoticeCase{"SwayLacksTheHotKey",
                       kSway,
                       {true, false, true},
                       {StringId::DesktopNoticeNoHotKey}},
            NoticeCase{"SwayWithoutBarLacksTray",
                       kSway,
                       {true, false, false},
                       {StringId::DesktopNoticeNoHotKey, StringId::DesktopNoticeNoTray}},
            NoticeCase{"GnomeLacksEverything",
                       kGnome,
                       {false, false, false},
                       {StringId::DesktopNoticeNoClipboard, StringId::DesktopNoticeNoHotKey,
                        StringId::DesktopNoticeNoTrayOnGnome}},
            NoticeCase{"GnomeWithAppIndicator",
                       kGnome,
                       {false, false, true},
                       {StringId::DesktopNoticeNoClipboard, StringId::DesktopNoticeNoHotKey}},
            NoticeCase{"GnomeWithPortalShortcuts",
                       kGnome,
                       {false, true, true},
                       {StringId::DesktopNoticeNoClipboard}},
            NoticeCase{"OnlyTheClipboardMissing",
                       kKde,
                       {false, true, true},
                       {StringId::DesktopNoticeNoClipboard}},
            NoticeCase{
                "OnlyTheTrayMissing", kKde, {true, true, false}, {StringId::DesktopNoticeNoTray}},
            NoticeCase{"ClipboardAndTrayMissing",
                       kKde,
                       {false, true, false},
                       {StringId::DesktopNoticeNoClipboard, StringId::DesktopNoticeNoTray}},
            NoticeCase{"X11NeverTells",
                       {SessionType::X11, DesktopKind::Gnome, {}},
                       {false, false, false},
                       {}},
            NoticeCase{"NoDisplayNeverTells",
                       {SessionType::Unknown, DesktopKind::Other, {}},
                       {false, false, false},
                       {}}),
        testing::Values(InterfaceLanguage::Serbian, InterfaceLanguage::English)),
    [](const testing::TestParamInfo<std::tuple<NoticeCase, InterfaceLanguage>>& info) {
        return std::string(std::get<0>(info.param).name) +
               (std::get<1>(info.param) == InterfaceLanguage::English ? "English" : "Serbian");
    });

TEST(DesktopNotice, IsToldOnlyOnce)
{
    EXPECT_TRUE(desktopNoticeFor(kGnome, {false, false, false}, false));
    EXPECT_FALSE(desktopNoticeFor(kGnome, {false, false, false}, true));
}

TEST(DesktopNotice, EnglishTellsWhatToDoInstead)
{
    const test::LanguageGuard guard(InterfaceLanguage::English);
    const std::optional<DesktopNotice> notice =
        desktopNoticeFor(kGnome, {false, false, false}, false);
    ASSERT_TRUE(notice);
    EXPECT_EQ(notice->title, u"Kvel on this desktop"_s);
    ASSERT_EQ(notice->lines.size(), 3);
    EXPECT_TRUE(notice->lines[0].contains(u"Fast clipboard"_s));
    EXPECT_TRUE(notice->lines[1].contains(u"Alt+F9..F12"_s));
    EXPECT_TRUE(notice->lines[1].contains(u"command kvel"_s));
    EXPECT_TRUE(notice->lines[2].contains(u"AppIndicator"_s));
}

TEST(DesktopNotice, SerbianTellsWhatToDoInstead)
{
    const test::LanguageGuard guard(InterfaceLanguage::Serbian);
    const std::optional<DesktopNotice> notice =
        desktopNoticeFor(kGnome, {false, false, false}, false);
    ASSERT_TRUE(notice);
    EXPECT_EQ(notice->title, u"Kvel na ovoj radnoj površini"_s);
    ASSERT_EQ(notice->lines.size(), 3);
    EXPECT_TRUE(notice->lines[0].contains(u"Brzi klipbord"_s));
    EXPECT_TRUE(notice->lines[1].contains(u"komandi kvel"_s));
    EXPECT_TRUE(notice->lines[2].contains(u"AppIndicator"_s));
}

} // namespace
