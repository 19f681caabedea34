// SPDX-License-Identifier: GPL-2.0-or-later
#include "kvel-native-host/HostRequest.h"

#include "support/QtPrinters.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kvel;
using namespace Qt::StringLiterals;

namespace {

struct WordsCase
{
    const char* name;
    QString text;
    QStringList words;
};

class SelectedWordsTest : public testing::TestWithParam<WordsCase>
{
};

const WordsCase kWordsCases[] = {
    {"OneWord", u"house"_s, {u"house"_s}},
    {"SeveralWords", u"in the house"_s, {u"in"_s, u"the"_s, u"house"_s}},
    {"AnyBlanks", u"  in\tthe\r\n\nhouse \u00a0"_s, {u"in"_s, u"the"_s, u"house"_s}},
    {"NoBreakSpace", u"big\u00a0house"_s, {u"big"_s, u"house"_s}},
    {"OnlyBlanks", u" \t\n "_s, {}},
    {"Nothing", QString(), {}},
    {"ShellCharactersStayAsTheyAre",
     u"it's \"big\"; $(touch /tmp/x) `id` a|b >c &d \\e *"_s,
     {u"it's"_s, u"\"big\";"_s, u"$(touch"_s, u"/tmp/x)"_s, u"`id`"_s, u"a|b"_s, u">c"_s, u"&d"_s,
      u"\\e"_s, u"*"_s}},
    {"LeadingDashIsAWord", u"-rf --help"_s, {u"-rf"_s, u"--help"_s}},
    {"SerbianLetters", u"čaša đak"_s, {u"čaša"_s, u"đak"_s}},
};

INSTANTIATE_TEST_SUITE_P(Selections, SelectedWordsTest, testing::ValuesIn(kWordsCases),
                         [](const auto& info) { return std::string(info.param.name); });

class HostRequestTest : public testing::Test
{
public:
    QJsonObject answer(const QJsonObject& request)
    {
        return answerRequest(request, config.path(), [this](const QStringList& words) {
            started += words;
            return startWorks;
        });
    }

    void record(const QByteArray& item)
    {
        QDir().mkpath(config.filePath(u"kvel"_s));
        QFile file(config.filePath(u"kvel/browser-menu"_s));
        if (file.open(QIODevice::WriteOnly))
            file.write(item);
    }

    QTemporaryDir config;
    QList<QStringList> started;
    bool startWorks = true;
};

} // namespace

TEST_P(SelectedWordsTest, SplitsAtBlanksOnly)
{
    EXPECT_EQ(selectedWords(GetParam().text), GetParam().words);
}

TEST_F(HostRequestTest, StateTellsTheRecordedItemAndItsCaption)
{
    const QJsonObject none{{u"item"_s, u"none"_s}, {u"caption"_s, QString()}};
    EXPECT_EQ(answer({{u"action"_s, u"state"_s}}), none) << "nothing recorded yet";
    record("sr\n");
    EXPECT_EQ(answer({{u"action"_s, u"state"_s}}),
              (QJsonObject{{u"item"_s, u"sr"_s}, {u"caption"_s, u"Prevedi sa Kvel recnikom"_s}}));
    record("en\n");
    EXPECT_EQ(
        answer({{u"action"_s, u"state"_s}}),
        (QJsonObject{{u"item"_s, u"en"_s}, {u"caption"_s, u"Translate with Kvel dictionary"_s}}));
    record("none\n");
    EXPECT_EQ(answer({{u"action"_s, u"state"_s}}), none);
    EXPECT_TRUE(started.isEmpty());
}

TEST_F(HostRequestTest, TranslateStartsTheDictionaryWithTheWords)
{
    EXPECT_EQ(answer({{u"action"_s, u"translate"_s}, {u"text"_s, u" big  house\n"_s}}),
              (QJsonObject{{u"started"_s, true}}));
    EXPECT_EQ(started, (QList<QStringList>{{u"big"_s, u"house"_s}}));
}

TEST_F(HostRequestTest, NoWordsStartNothing)
{
    for (const QJsonValue& text : {QJsonValue(u"  \n"_s), QJsonValue(), QJsonValue(42)}) {
        const QJsonObject reply = answer({{u"action"_s, u"translate"_s}, {u"text"_s, text}});
        EXPECT_FALSE(reply.value(u"started"_s).toBool(true));
    }
    EXPECT_TRUE(started.isEmpty());
}

TEST_F(HostRequestTest, AFailedStartIsReportedAsOne)
{
    startWorks = false;
    const QJsonObject reply = answer({{u"action"_s, u"translate"_s}, {u"text"_s, u"house"_s}});
    EXPECT_FALSE(reply.value(u"started"_s).toBool(true));
    EXPECT_FALSE(reply.value(u"error"_s).toString().isEmpty());
}

TEST_F(HostRequestTest, UnknownActionsDoNothing)
{
    for (const QJsonObject& request :
         {QJsonObject(), QJsonObject{{u"action"_s, u"run"_s}, {u"text"_s, u"rm -rf ~"_s}},
          QJsonObject{{u"action"_s, 1}}, QJsonObject{{u"action"_s, u"TRANSLATE"_s}}}) {
        EXPECT_TRUE(answer(request).contains(u"error"_s));
    }
    EXPECT_TRUE(started.isEmpty());
}
