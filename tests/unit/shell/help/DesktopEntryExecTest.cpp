// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/help/DesktopEntryExec.h"

#include "support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

struct EntryCase
{
    const char* name;
    QString text;
    QString exec;
};

class DesktopEntryExecValue : public testing::TestWithParam<EntryCase>
{
};

TEST_P(DesktopEntryExecValue, ReadsExecOfTheMainGroup)
{
    EXPECT_EQ(kvel::desktopEntryExec(GetParam().text), GetParam().exec);
}

INSTANTIATE_TEST_SUITE_P(
    Files, DesktopEntryExecValue,
    testing::Values(
        EntryCase{"Plain", u"[Desktop Entry]\nName=xCHM\nExec=xchm %f\nType=Application\n"_s,
                  u"xchm %f"_s},
        EntryCase{"SpacesAroundEquals", u"[Desktop Entry]\r\nExec = viewer %U \r\n"_s,
                  u"viewer %U"_s},
        EntryCase{"ActionGroupIgnored",
                  u"[Desktop Action New]\nExec=other\n[Desktop Entry]\nExec=main %f\n"_s,
                  u"main %f"_s},
        EntryCase{"LaterGroupIgnored", u"[Desktop Entry]\nName=x\n[Desktop Action A]\nExec=a\n"_s,
                  QString()},
        EntryCase{"LocalisedKeyIsNotExec", u"[Desktop Entry]\nExecutable=x\nTryExec=y\n"_s,
                  QString()},
        EntryCase{"StringEscapes", u"[Desktop Entry]\nExec=a\\sb \"c\\\\\\\\d\"\n"_s,
                  u"a b \"c\\\\d\""_s},
        EntryCase{"Empty", QString(), QString()}),
    [](const testing::TestParamInfo<EntryCase>& info) { return info.param.name; });

struct CommandCase
{
    const char* name;
    QString exec;
    QStringList command;
};

class ExecCommand : public testing::TestWithParam<CommandCase>
{
};

TEST_P(ExecCommand, ExpandsFieldCodesWithTheFile)
{
    EXPECT_EQ(kvel::execCommand(GetParam().exec, u"/opt/kvel/kvel.chm"_s,
                                u"/usr/share/applications/v.desktop"_s),
              GetParam().command);
}

const QString Chm = u"/opt/kvel/kvel.chm"_s;

INSTANTIATE_TEST_SUITE_P(
    Values, ExecCommand,
    testing::Values(
        CommandCase{"SingleFile", u"xchm %f"_s, {u"xchm"_s, Chm}},
        CommandCase{"UrlList", u"kchmviewer %U"_s, {u"kchmviewer"_s, Chm}},
        CommandCase{"NoCodeAppendsTheFile", u"viewer --new"_s, {u"viewer"_s, u"--new"_s, Chm}},
        CommandCase{"QuotedProgram",
                    u"\"/opt/my app/view\" --open %u"_s,
                    {u"/opt/my app/view"_s, u"--open"_s, Chm}},
        CommandCase{
            "EscapesInQuotes", u"app \"a\\\"b\\$c\\\\d\" %f"_s, {u"app"_s, u"a\"b$c\\d"_s, Chm}},
        CommandCase{"IconAndNameDropped", u"app %i %c %f"_s, {u"app"_s, Chm}},
        CommandCase{"CodeInsideArgument", u"app --file=%f"_s, {u"app"_s, u"--file="_s + Chm}},
        CommandCase{"DesktopFileAndPercent",
                    u"app %k 100%%"_s,
                    {u"app"_s, u"/usr/share/applications/v.desktop"_s, u"100%"_s, Chm}},
        CommandCase{"EmptyQuotedArgumentKept", u"app \"\" %f"_s, {u"app"_s, QString(), Chm}},
        CommandCase{"ExtraBlanks", u"  app\t %f  "_s, {u"app"_s, Chm}},
        CommandCase{"UnclosedQuote", u"app \"oops %f"_s, {}}, CommandCase{"Empty", QString(), {}},
        CommandCase{"OnlyACode", u"%i"_s, {}}),
    [](const testing::TestParamInfo<CommandCase>& info) { return info.param.name; });

} // namespace
