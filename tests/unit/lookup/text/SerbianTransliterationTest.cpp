// SPDX-License-Identifier: GPL-2.0-or-later
#include "lookup/text/SerbianTransliteration.h"

#include "support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace kvel;
using namespace Qt::StringLiterals;

TEST(SerbianTransliterationTest, GivesSerbianLatin)
{
    struct Case
    {
        const char* what;
        QString cyrillic;
        QString latin;
    };
    const Case cases[] = {
        {"whole alphabet", u"абвгдђежзијклљмнњопрстћуфхцчџш"_s,
         u"abvgdđežzijklljmnnjoprstćufhcčdžš"_s},
        {"whole alphabet in capitals", u"АБВГДЂЕЖЗИЈКЛЉМНЊОПРСТЋУФХЦЧЏШ"_s,
         u"ABVGDĐEŽZIJKLLJMNNJOPRSTĆUFHCČDŽŠ"_s},
        {"digraphs", u"љубав њива џеп"_s, u"ljubav njiva džep"_s},
        {"capital digraph starting a word", u"Љубав Њива Џеп"_s, u"Ljubav Njiva Džep"_s},
        {"word in capitals", u"ЏУГАЊ"_s, u"DŽUGANJ"_s},
        {"capitals word beside a mixed one", u"ЉУТ Љубо"_s, u"LJUT Ljubo"_s},
        {"capital digraph inside a mixed word", u"ПреЉуба"_s, u"PreLjuba"_s},
        {"only capital digraphs", u"ЏЊ"_s, u"DŽNJ"_s},
        {"lone capital is an initial", u"Џ. Џонсон"_s, u"Dž. Džonson"_s},
        {"capitals on both sides of a hyphen", u"ЊУ-ЈОРК"_s, u"NJU-JORK"_s},
        {"one-letter spellings keep their case", u"Ћирилица ЋИРИЛИЦА"_s, u"Ćirilica ĆIRILICA"_s},
        {"accented vowels", u"ѝ ѐ Ѝ"_s, u"ì è Ì"_s},
        {"combining accent stays on its letter", u"ку\u0301ћа"_s, u"ku\u0301ća"_s},
        {"Latin text unchanged", u"kuća, DŽEP; house-1"_s, u"kuća, DŽEP; house-1"_s},
        {"mixed scripts", u"house кућа (house)"_s, u"house kuća (house)"_s},
        {"Cyrillic letters Serbian lacks unchanged", u"щи ёж ы ѓ ѕ є"_s, u"щi ёž ы ѓ ѕ є"_s},
        {"empty", u""_s, u""_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(transliterateSerbianCyrillic(c.cyrillic), c.latin);
    }
}
