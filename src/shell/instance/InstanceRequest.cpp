// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/instance/InstanceRequest.h"

namespace kvel {

namespace {

bool isAsciiDigit(char c)
{
    return c >= '0' && c <= '9';
}

RequestReading refused()
{
    return {RequestReading::State::Refused};
}

} // namespace

RequestReading readInstanceRequest(QByteArrayView received, bool streamEnded)
{
    qsizetype digits = 0;
    while (digits < received.size() && isAsciiDigit(received[digits]))
        ++digits;
    if (digits > kMaxRequestDigits)
        return refused();

    QByteArrayView rest = received.sliced(digits);
    if (rest.startsWith('\r'))
        rest = rest.sliced(1);
    const bool lineEnded = rest.startsWith('\n');
    if (!lineEnded && !rest.isEmpty())
        return refused();
    if (!lineEnded && !streamEnded)
        return {RequestReading::State::Incomplete};
    if (digits == 0)
        return refused();

    int number = 0;
    for (const char c : received.first(digits))
        number = number * 10 + (c - '0');
    for (const auto request :
         {InstanceRequest::ToggleBar, InstanceRequest::LookUpHandOver, InstanceRequest::Quit}) {
        if (number == int(request))
            return {RequestReading::State::Complete, request};
    }
    return refused();
}

} // namespace kvel
