// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/autostart/DesktopEntry.h"

#include "support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace kvel;
using namespace Qt::StringLiterals;

namespace {

struct ExecCase
{
    const char* name;
    QString path;
    QString inFile; // as the Exec line of the file holds it
};

class ExecArgumentTest : public testing::TestWithParam<ExecCase>
{
};

const ExecCase kExecCases[] = {
    {"Plain", u"/usr/bin/kvel"_s, u"\"/usr/bin/kvel\""_s},
    {"Space", u"/opt/my apps/kvel"_s, u"\"/opt/my apps/kvel\""_s},
    {"DoubleQuote", u"/opt/a\"b/kvel"_s, u"\"/opt/a\\\\\"b/kvel\""_s},
    {"SingleQuote", u"/opt/it's/kvel"_s, u"\"/opt/it's/kvel\""_s},
    {"Backslash", u"/opt/a\\b/kvel"_s, u"\"/opt/a\\\\\\\\b/kvel\""_s},
    {"Dollar", u"/opt/$HOME/kvel"_s, u"\"/opt/\\\\$HOME/kvel\""_s},
    {"Backquote", u"/opt/`id`/kvel"_s, u"\"/opt/\\\\`id\\\\`/kvel\""_s},
    {"Percent", u"/opt/100%/kvel"_s, u"\"/opt/100%%/kvel\""_s},
    {"FieldCodeLookalike", u"/opt/%f/kvel"_s, u"\"/opt/%%f/kvel\""_s},
    {"Semicolon", u"/opt/a;b/kvel"_s, u"\"/opt/a;b/kvel\""_s},
    {"Newline", u"/opt/a\nb/kvel"_s, u"\"/opt/a\\nb/kvel\""_s},
    {"Tab", u"/opt/a\tb/kvel"_s, u"\"/opt/a\\tb/kvel\""_s},
    {"NonAscii", u"/home/đorđe/rečnik/kvel"_s, u"\"/home/đorđe/rečnik/kvel\""_s},
};

INSTANTIATE_TEST_SUITE_P(Paths, ExecArgumentTest, testing::ValuesIn(kExecCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace

TEST_P(ExecArgumentTest, QuotesByTheDesktopEntryRules)
{
    EXPECT_EQ(desktopEntryExecArgument(GetParam().path), GetParam().inFile);
}

TEST(DesktopEntry, StringValuesEscapeLineBreaksAndBackslashes)
{
    EXPECT_EQ(desktopEntryString(u"a\\b\nc\td\re"_s), u"a\\\\b\\nc\\td\\re"_s);
    EXPECT_EQ(desktopEntryString(u"Kvel dictionary"_s), u"Kvel dictionary"_s);
}

TEST(DesktopEntry, AutoStartEntryNamesAndStartsTheProgram)
{
    EXPECT_EQ(autoStartEntry(u"Kvel dictionary"_s, u"/opt/my apps/kvel"_s),
              "[Desktop Entry]\n"
              "Type=Application\n"
              "Name=Kvel dictionary\n"
              "Exec=\"/opt/my apps/kvel\"\n"
              "Terminal=false\n");
}
