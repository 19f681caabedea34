// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/settings/KvelSettings.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace kvel;

namespace {

const QRect kScreen(0, 0, 1024, 768);

struct StoredCase
{
    const char* name;
    QString file;
    int shown;
};

class DesktopNoticeSetting : public testing::TestWithParam<StoredCase>
{
};

TEST_P(DesktopNoticeSetting, IsReadAsAFlag)
{
    EXPECT_EQ(readSettings(IniDocument(GetParam().file), kScreen).FDesktopNoticeShown,
              GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DesktopNoticeSetting,
    testing::Values(StoredCase{"Missing", {}, 0},
                    StoredCase{"Shown", u"[Preferences]\nDesktopNotice=1\n"_s, 1},
                    StoredCase{"NotShown", u"[Preferences]\nDesktopNotice=0\n"_s, 0},
                    StoredCase{"Damaged", u"[Preferences]\nDesktopNotice=yes\n"_s, 0},
                    StoredCase{"OutOfRange", u"[Preferences]\nDesktopNotice=2\n"_s, 0},
                    StoredCase{"OtherSection", u"[Interface]\nDesktopNotice=1\n"_s, 0}),
    [](const testing::TestParamInfo<StoredCase>& info) { return info.param.name; });

TEST(DesktopNoticeSetting, IsWrittenInPreferencesAfterAlphaBlend)
{
    KvelSettings settings;
    settings.FDesktopNoticeShown = 1;
    IniDocument ini;
    writeSettings(ini, settings, {});
    EXPECT_EQ(ini.value(u"Preferences"_s, u"DesktopNotice"_s), u"1"_s);
    const QString text = ini.toText();
    const qsizetype alphaBlend = text.indexOf(u"AlphaBlend="_s);
    const qsizetype notice = text.indexOf(u"DesktopNotice="_s);
    ASSERT_GE(alphaBlend, 0);
    EXPECT_GT(notice, alphaBlend);
    EXPECT_LT(notice, text.indexOf(u"[Window]"_s));
    EXPECT_EQ(readSettings(ini, kScreen).FDesktopNoticeShown, 1);
}

} // namespace
