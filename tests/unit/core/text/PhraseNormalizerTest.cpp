// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/text/PhraseNormalizer.h"

#include "support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace kvel;
using namespace Qt::StringLiterals;

namespace {

struct NormalizeCase
{
    const char* name;
    QString input;
    QString expected;
};

class NormalizePhraseTest : public testing::TestWithParam<NormalizeCase>
{
};

TEST_P(NormalizePhraseTest, Normalizes)
{
    EXPECT_EQ(NormalizePhrase(GetParam().input), GetParam().expected);
}

const QString k300 = QString(300, u'x');

INSTANTIATE_TEST_SUITE_P(
    Cases, NormalizePhraseTest,
    testing::Values(
        NormalizeCase{"blanks_around_and_between", u"   Big    House  "_s, u"big house"_s},
        NormalizeCase{"wildcards_and_brackets", u"[a]%_&b"_s, u"ab"_s},
        NormalizeCase{"double_quote", u"\"say\""_s, u"say"_s},
        NormalizeCase{"tab_becomes_blank", u"big\thouse"_s, u"big house"_s},
        NormalizeCase{"tabs_collapse", u"a\t\t \tb"_s, u"a b"_s},
        NormalizeCase{"line_breaks_vanish", u"ho\r\nuse"_s, u"house"_s},
        NormalizeCase{"cut_at_nul", QString::fromUtf16(u"abc\0def", 7), u"abc"_s},
        NormalizeCase{"apostrophe_kept", u"O'Neil"_s, u"o'neil"_s},
        NormalizeCase{"only_ascii_lowered", u"ŠKOLA Čaša"_s, u"Škola Čaša"_s},
        NormalizeCase{"only_removable", u" [%_&] "_s, u""_s},
        NormalizeCase{"control_chars_trimmed", u"\x01word\x1f"_s, u"word"_s},
        NormalizeCase{"empty", u""_s, u""_s},
        NormalizeCase{"long_text_cut_to_255", k300, QString(255, u'x')},
        // The cut comes first: brackets beyond character 255 never count.
        NormalizeCase{"cut_before_removal", QString(254, u'a') + u"[b"_s, QString(254, u'a')},
        NormalizeCase{"cut_keeps_surrogate_pairs", QString(254, u'a') + u"😀😀"_s,
                      QString(254, u'a') + u"😀"_s}),
    [](const testing::TestParamInfo<NormalizeCase>& info) { return info.param.name; });

} // namespace

TEST(UpperCaseAscii, ChangesOnlyAsciiLetters)
{
    EXPECT_EQ(upperCaseAscii(u"kuća o'neil 2"_s), u"KUćA O'NEIL 2"_s);
}
