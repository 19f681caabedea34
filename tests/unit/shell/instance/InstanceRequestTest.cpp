// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/instance/InstanceRequest.h"

#include <QByteArray>
#include <gtest/gtest.h>

using namespace kvel;

namespace {

using State = RequestReading::State;

struct RequestCase
{
    const char* name;
    QByteArray received;
    bool streamEnded;
    State state;
    InstanceRequest request = InstanceRequest::ToggleBar;
};

class ReadInstanceRequestTest : public testing::TestWithParam<RequestCase>
{
};

const RequestCase kRequestCases[] = {
    {"Toggle", "2027\n", false, State::Complete, InstanceRequest::ToggleBar},
    {"LookUpWithCrLf", "2028\r\n", false, State::Complete, InstanceRequest::LookUpHandOver},
    {"QuitAtTheEnd", "2029", true, State::Complete, InstanceRequest::Quit},
    {"CrAtTheEnd", "2029\r", true, State::Complete, InstanceRequest::Quit},
    {"LeadingZeros", "000002027\n", false, State::Complete, InstanceRequest::ToggleBar},
    {"WhatFollowsTheLineIsNotRead", "2028\nrest", false, State::Complete,
     InstanceRequest::LookUpHandOver},
    {"NothingYet", "", false, State::Incomplete},
    {"SomeDigits", "20", false, State::Incomplete},
    {"AllDigits", "2027", false, State::Incomplete},
    {"DigitsAndCr", "2027\r", false, State::Incomplete},
    {"NothingAtAll", "", true, State::Refused},
    {"EmptyLine", "\n", false, State::Refused},
    {"NulAndGarbage", QByteArray("2027\0garbage", 12), false, State::Refused},
    {"NulAtTheEnd", QByteArray("2027\0", 5), true, State::Refused},
    {"TrailingBlank", "2027 \n", false, State::Refused},
    {"LeadingBlank", " 2027\n", false, State::Refused},
    {"Plus", "+2027\n", false, State::Refused},
    {"Minus", "-2027\n", false, State::Refused},
    {"UnknownNumber", "2030\n", false, State::Refused},
    {"UnknownAtTheEnd", "7", true, State::Refused},
    {"TwoCrs", "2027\r\r\n", false, State::Refused},
    {"CrThenText", "2027\rx", false, State::Refused},
    {"Letter", "2027x", false, State::Refused},
    {"TooManyDigits", "0000002027\n", false, State::Refused},
    {"TooManyDigitsSoFar", "99999999999", false, State::Refused},
    {"Word", "hello\n", false, State::Refused},
    {"NonAscii", "\xd9\xa2\xd9\xa0\xd9\xa2\xd9\xa7\n", false, State::Refused},
};

INSTANTIATE_TEST_SUITE_P(Cases, ReadInstanceRequestTest, testing::ValuesIn(kRequestCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace

TEST_P(ReadInstanceRequestTest, ReadsOnlyAWholeKnownNumber)
{
    const RequestCase& c = GetParam();
    const RequestReading reading = readInstanceRequest(c.received, c.streamEnded);
    EXPECT_EQ(reading.state, c.state);
    if (c.state == State::Complete) {
        EXPECT_EQ(reading.request, c.request);
    }
}

TEST(ReadInstanceRequest, EveryRequestIsDecidedWithinItsLimit)
{
    for (const char c : {'0', '2', '\r', 'x', '\0'}) {
        const QByteArray received(kMaxRequestBytes, c);
        EXPECT_NE(readInstanceRequest(received, false).state, State::Incomplete) << int(c);
    }
}
