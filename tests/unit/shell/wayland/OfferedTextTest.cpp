// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/wayland/OfferedText.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace kvel;

namespace {

struct MimeCase
{
    const char* name;
    QList<QByteArray> offered;
    std::optional<QByteArray> chosen;
};

class TextMimeType : public testing::TestWithParam<MimeCase>
{
};

TEST_P(TextMimeType, TakesOnlyPlainText)
{
    const MimeCase& c = GetParam();
    EXPECT_EQ(textMimeType(c.offered), c.chosen);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TextMimeType,
    testing::Values(MimeCase{"Nothing", {}, std::nullopt},
                    MimeCase{"Utf8Preferred",
                             {"TEXT", "text/plain", "text/plain;charset=utf-8", "UTF8_STRING"},
                             "text/plain;charset=utf-8"},
                    MimeCase{"Utf8SpelledInCapitals",
                             {"text/plain", "text/plain;charset=UTF-8"},
                             "text/plain;charset=UTF-8"},
                    MimeCase{"PlainText", {"text/html", "text/plain"}, "text/plain"},
                    MimeCase{"X11Names", {"STRING", "TEXT", "UTF8_STRING"}, "UTF8_STRING"},
                    MimeCase{"OnlyTextName", {"TEXT"}, "TEXT"},
                    MimeCase{"HtmlOnly", {"text/html"}, std::nullopt},
                    MimeCase{"PasswordManagerSecret",
                             {"text/plain;charset=utf-8", "x-kde-passwordManagerHint"},
                             std::nullopt},
                    MimeCase{
                        "CopiedFile", {"text/uri-list", "text/plain;charset=utf-8"}, std::nullopt},
                    MimeCase{"CopiedPicture", {"image/png", "text/plain"}, std::nullopt}),
    [](const testing::TestParamInfo<MimeCase>& info) { return info.param.name; });

struct DecodeCase
{
    const char* name;
    QByteArray data;
    QString text;
};

class OfferedTextDecoding : public testing::TestWithParam<DecodeCase>
{
};

TEST_P(OfferedTextDecoding, DropsOnlyACutCharacter)
{
    EXPECT_EQ(offeredText(GetParam().data), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OfferedTextDecoding,
    testing::Values(DecodeCase{"Empty", {}, {}}, DecodeCase{"Ascii", "house", u"house"_s},
                    DecodeCase{"Serbian",
                               "ku\xc4\x87"
                               "a",
                               u"kuća"_s},
                    DecodeCase{"EndsWithWholeTwoByteLetter", "ku\xc4\x87", u"kuć"_s},
                    DecodeCase{"CutTwoByteLetter", "ku\xc4", u"ku"_s},
                    DecodeCase{"CutThreeByteSign", "a\xe2\x82", u"a"_s},
                    DecodeCase{"WholeThreeByteSign", "a\xe2\x82\xac", u"a€"_s},
                    DecodeCase{"CutFourByteSign", "a\xf0\x9f\x98", u"a"_s}),
    [](const testing::TestParamInfo<DecodeCase>& info) { return info.param.name; });

} // namespace
