// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/clipboard/QtClipboardReader.h"

#include <QImage>
#include <QMimeData>
#include <QUrl>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace kvel;

namespace {

struct MimeDataCase
{
    const char* name;
    std::function<void(QMimeData&)> fill;
    std::optional<QString> text;
};

class ClipboardText : public testing::TestWithParam<MimeDataCase>
{
};

TEST_P(ClipboardText, TakesOnlyPlainTextThatIsNoSecret)
{
    QMimeData data;
    GetParam().fill(data);
    EXPECT_EQ(QtClipboardReader::plainText(&data), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ClipboardText,
    testing::Values(MimeDataCase{"Text", [](QMimeData& d) { d.setText(u"house"_s); }, u"house"_s},
                    MimeDataCase{"Nothing", [](QMimeData&) {}, std::nullopt},
                    MimeDataCase{"File",
                                 [](QMimeData& d) {
                                     d.setUrls({QUrl(u"file:///tmp/house.txt"_s)});
                                     d.setText(u"/tmp/house.txt"_s);
                                 },
                                 std::nullopt},
                    MimeDataCase{"Picture",
                                 [](QMimeData& d) {
                                     d.setImageData(QImage(2, 2, QImage::Format_RGB32));
                                     d.setText(u"house"_s);
                                 },
                                 std::nullopt},
                    MimeDataCase{"PasswordManagerSecret",
                                 [](QMimeData& d) {
                                     d.setText(u"hunter2"_s);
                                     d.setData(u"x-kde-passwordManagerHint"_s, "secret");
                                 },
                                 std::nullopt},
                    MimeDataCase{"PasswordManagerHintWithoutSecret",
                                 [](QMimeData& d) {
                                     d.setText(u"house"_s);
                                     d.setData(u"x-kde-passwordManagerHint"_s, "public");
                                 },
                                 u"house"_s}),
    [](const testing::TestParamInfo<MimeDataCase>& info) { return info.param.name; });

TEST(ClipboardText, NoDataIsNoText)
{
    EXPECT_EQ(QtClipboardReader::plainText(nullptr), std::nullopt);
}

} // namespace
