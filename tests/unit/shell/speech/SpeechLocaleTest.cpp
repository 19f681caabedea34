// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/speech/SpeechLocale.h"

#include <gtest/gtest.h>

using namespace kvel;

namespace {

struct LocaleCase
{
    const char* name;
    QList<QLocale> available;
    QLocale current;
    std::optional<QLocale> chosen;
};

const QLocale kUs(QLocale::English, QLocale::UnitedStates);
const QLocale kUk(QLocale::English, QLocale::UnitedKingdom);
const QLocale kAu(QLocale::English, QLocale::Australia);
const QLocale kSr(QLocale::Serbian, QLocale::LatinScript, QLocale::Serbia);
const QLocale kDe(QLocale::German, QLocale::Germany);

class SpeechLocaleTest : public testing::TestWithParam<LocaleCase>
{
};

const LocaleCase kLocaleCases[] = {
    {"CurrentEnglishStays", {kSr, kUs, kUk}, kUk, kUk},
    {"SerbianCurrentPrefersAmerican", {kSr, kAu, kUk, kUs}, kSr, kUs},
    {"BritishBeforeOtherEnglish", {kDe, kAu, kUk}, kDe, kUk},
    {"AnyEnglishAtLast", {kDe, kAu}, kSr, kAu},
    {"CurrentEnglishNotOfferedIsReplaced", {kSr, kUs}, kAu, kUs},
    {"NoEnglishKeepsTheDefault", {kSr, kDe}, kSr, std::nullopt},
    {"NoLocalesAtAll", {}, kUs, std::nullopt},
};

INSTANTIATE_TEST_SUITE_P(Engines, SpeechLocaleTest, testing::ValuesIn(kLocaleCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace

TEST_P(SpeechLocaleTest, ChoosesAnEnglishLocale)
{
    EXPECT_EQ(englishLocale(GetParam().available, GetParam().current), GetParam().chosen);
}
