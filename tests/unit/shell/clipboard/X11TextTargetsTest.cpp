// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/clipboard/X11TextTargets.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace kvel;

namespace {

struct TargetsCase
{
    const char* name;
    QList<QByteArray> offered;
    std::optional<QByteArray> asked; // nothing: no plain text to read
    bool askSecret = false;
};

using X11Targets = testing::TestWithParam<TargetsCase>;

TEST_P(X11Targets, AsksForPlainTextOnly)
{
    const std::optional<X11TextRequest> request = x11TextRequest(GetParam().offered);
    ASSERT_EQ(request.has_value(), GetParam().asked.has_value());
    if (request) {
        EXPECT_EQ(request->target, *GetParam().asked);
        EXPECT_EQ(request->askSecret, GetParam().askSecret);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, X11Targets,
    testing::Values(
        TargetsCase{"Utf8First", {"TARGETS", "STRING", "UTF8_STRING", "TEXT"}, "UTF8_STRING"},
        TargetsCase{"MimeUtf8", {"text/plain;charset=utf-8", "STRING"}, "text/plain;charset=utf-8"},
        TargetsCase{"Latin1", {"TARGETS", "TEXT", "STRING"}, "STRING"},
        TargetsCase{"TextOnly", {"TARGETS", "TEXT"}, "TEXT"},
        TargetsCase{"PlainMime", {"text/plain"}, "text/plain"},
        TargetsCase{"FileList", {"UTF8_STRING", "text/uri-list"}, std::nullopt},
        TargetsCase{"Picture", {"UTF8_STRING", "image/png"}, std::nullopt},
        TargetsCase{"PictureUpperCase", {"STRING", "IMAGE/BMP"}, std::nullopt},
        TargetsCase{
            "PasswordManager", {"UTF8_STRING", "x-kde-passwordManagerHint"}, "UTF8_STRING", true},
        TargetsCase{"NoText", {"TARGETS", "TIMESTAMP", "MULTIPLE"}, std::nullopt},
        TargetsCase{"Nothing", {}, std::nullopt}),
    [](const testing::TestParamInfo<TargetsCase>& info) { return info.param.name; });

struct TextCase
{
    const char* name;
    QByteArray type;
    QByteArray data;
    std::optional<QString> text;
};

using X11SelectionData = testing::TestWithParam<TextCase>;

TEST_P(X11SelectionData, DecodesByTheTypeTheOwnerGave)
{
    EXPECT_EQ(x11Text(GetParam().type, GetParam().data), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, X11SelectionData,
    testing::Values(TextCase{"Utf8", "UTF8_STRING",
                             "ku\xc4\x87"
                             "a",
                             u"kuća"_s},
                    TextCase{"Utf8CutInACharacter", "UTF8_STRING", "ku\xc4", u"ku"_s},
                    TextCase{"MimeUtf8", "text/plain;charset=utf-8", "\xc5\xa1kola", u"škola"_s},
                    TextCase{"Latin1", "STRING", "caf\xe9", u"café"_s},
                    TextCase{"PlainCompoundText", "COMPOUND_TEXT", "house", u"house"_s},
                    TextCase{"CompoundTextWithEscapes", "COMPOUND_TEXT", "\x1b-Aab", std::nullopt},
                    TextCase{"NoTextType", "ATOM", "abcd", std::nullopt}),
    [](const testing::TestParamInfo<TextCase>& info) { return info.param.name; });

} // namespace
