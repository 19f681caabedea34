// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QIODevice>
#include <QJsonObject>
#include <QString>
#include <variant>

namespace kvel {

// Browsers send at most 4 GiB; a page selection never needs more than this.
inline constexpr quint32 kNativeMessageLimit = 1024 * 1024;

enum class MessageEnd
{
    Closed,    // the browser closed the channel between messages
    Truncated, // the channel ended inside a message
    TooLarge,  // the length is above kNativeMessageLimit; the rest is not read
};

// A JSON text that is not an object, with the parser's complaint.
struct MalformedMessage
{
    QString error;
};

using NativeMessage = std::variant<QJsonObject, MalformedMessage, MessageEnd>;

// One message of the native-messaging protocol: a 32-bit length in the
// machine's byte order, then that many bytes of UTF-8 JSON.
NativeMessage readNativeMessage(QIODevice& in);
bool writeNativeMessage(QIODevice& out, const QJsonObject& message);

} // namespace kvel
