// SPDX-License-Identifier: GPL-2.0-or-later
#include "kvel-native-host/NativeMessage.h"

#include "support/QtPrinters.h"

#include <QBuffer>
#include <QJsonDocument>
#include <cstring>
#include <gtest/gtest.h>

using namespace kvel;
using namespace Qt::StringLiterals;

namespace {

QByteArray framed(const QByteArray& body, quint32 length)
{
    QByteArray bytes(sizeof length, Qt::Uninitialized);
    std::memcpy(bytes.data(), &length, sizeof length);
    return bytes + body;
}

QByteArray framed(const QByteArray& body)
{
    return framed(body, quint32(body.size()));
}

NativeMessage readFrom(const QByteArray& bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return readNativeMessage(buffer);
}

struct EndCase
{
    const char* name;
    QByteArray bytes;
    MessageEnd end;
};

class MessageEndTest : public testing::TestWithParam<EndCase>
{
};

const EndCase kEndCases[] = {
    {"NothingAtAll", {}, MessageEnd::Closed},
    {"HalfALength", QByteArray("\x05\x00", 2), MessageEnd::Truncated},
    {"ShortBody", framed("{\"a\":1}", 20), MessageEnd::Truncated},
    {"AboveTheLimit", framed("{}", kNativeMessageLimit + 1), MessageEnd::TooLarge},
    {"FourGigabytes", framed("{}", 0xffffffffu), MessageEnd::TooLarge},
};

INSTANTIATE_TEST_SUITE_P(Streams, MessageEndTest, testing::ValuesIn(kEndCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct MalformedCase
{
    const char* name;
    QByteArray body;
};

class MalformedMessageTest : public testing::TestWithParam<MalformedCase>
{
};

const MalformedCase kMalformedCases[] = {
    {"Empty", ""},
    {"NotJson", "translate house"},
    {"Unfinished", "{\"action\":\"translate\",\"text\":\"ho"},
    {"Array", "[\"translate\"]"},
    {"String", "\"translate\""},
    {"InvalidUtf8InAString", "{\"text\":\"\xff\xfe\"} trailing"},
};

INSTANTIATE_TEST_SUITE_P(Bodies, MalformedMessageTest, testing::ValuesIn(kMalformedCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace

TEST_P(MessageEndTest, EndsTheConversation)
{
    const NativeMessage message = readFrom(GetParam().bytes);
    ASSERT_TRUE(std::holds_alternative<MessageEnd>(message));
    EXPECT_EQ(std::get<MessageEnd>(message), GetParam().end);
}

TEST_P(MalformedMessageTest, IsReportedNotObeyed)
{
    const NativeMessage message = readFrom(framed(GetParam().body));
    ASSERT_TRUE(std::holds_alternative<MalformedMessage>(message));
    EXPECT_FALSE(std::get<MalformedMessage>(message).error.isEmpty());
}

TEST(NativeMessage, ReadsMessagesOneAfterAnother)
{
    QBuffer buffer;
    buffer.setData(framed(R"({"action":"state"})") +
                   framed(R"({"action":"translate","text":"kuća"})"));
    buffer.open(QIODevice::ReadOnly);

    const NativeMessage first = readNativeMessage(buffer);
    ASSERT_TRUE(std::holds_alternative<QJsonObject>(first));
    EXPECT_EQ(std::get<QJsonObject>(first).value(u"action"_s).toString(), u"state"_s);
    const NativeMessage second = readNativeMessage(buffer);
    ASSERT_TRUE(std::holds_alternative<QJsonObject>(second));
    EXPECT_EQ(std::get<QJsonObject>(second).value(u"text"_s).toString(), u"kuća"_s);
    const NativeMessage third = readNativeMessage(buffer);
    ASSERT_TRUE(std::holds_alternative<MessageEnd>(third));
    EXPECT_EQ(std::get<MessageEnd>(third), MessageEnd::Closed);
}

TEST(NativeMessage, AMessageAtTheLimitIsRead)
{
    const QByteArray prefix = R"({"text":")";
    QByteArray body = prefix + QByteArray(kNativeMessageLimit - prefix.size() - 2, 'a') + "\"}";
    ASSERT_EQ(body.size(), qsizetype(kNativeMessageLimit));
    EXPECT_TRUE(std::holds_alternative<QJsonObject>(readFrom(framed(body))));
}

TEST(NativeMessage, WritesTheLengthThenCompactJson)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(writeNativeMessage(buffer, {{u"started"_s, true}}));
    EXPECT_EQ(buffer.data(), framed(R"({"started":true})"));
}
