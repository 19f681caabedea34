// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArrayView>

namespace kvel {

// What a second start of the program asks of the running one. The numbers are
// what travels over the instance socket, one per line, so other programs can
// send them too.
enum class InstanceRequest
{
    ToggleBar = 2027,      // started without words
    LookUpHandOver = 2028, // started with words, left in the settings' "IE" section
    Quit = 2029,           // save and quit
};

// How far the bytes received on one connection go towards a request.
struct RequestReading
{
    enum class State
    {
        Incomplete, // wait for more
        Refused,    // close the connection, nothing happens
        Complete,
    };
    State state = State::Incomplete;
    InstanceRequest request = InstanceRequest::ToggleBar; // when Complete
};

// A request is at most kMaxRequestDigits ASCII digits naming one of the
// requests, an optional CR, then LF or the end of the stream; what follows
// the LF is never looked at. So a request is decided within this many bytes.
inline constexpr qsizetype kMaxRequestDigits = 9;
inline constexpr qsizetype kMaxRequestBytes = kMaxRequestDigits + 2;

RequestReading readInstanceRequest(QByteArrayView received, bool streamEnded);

} // namespace kvel
