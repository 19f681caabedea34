// SPDX-License-Identifier: GPL-2.0-or-later
#include "kvel-native-host/NativeMessage.h"

#include <QJsonDocument>
#include <QJsonParseError>
#include <cstring>

using namespace Qt::StringLiterals;

namespace kvel {

namespace {

// Pipes hand over what they have; a read may give less than asked. A read
// that gives nothing means the writer is gone.
QByteArray readExactly(QIODevice& in, qint64 size)
{
    QByteArray bytes;
    while (bytes.size() < size) {
        const QByteArray part = in.read(size - bytes.size());
        if (part.isEmpty())
            break;
        bytes += part;
    }
    return bytes;
}

} // namespace

NativeMessage readNativeMessage(QIODevice& in)
{
    const QByteArray header = readExactly(in, sizeof(quint32));
    if (header.isEmpty())
        return MessageEnd::Closed;
    if (header.size() < qsizetype(sizeof(quint32)))
        return MessageEnd::Truncated;
    quint32 length = 0;
    std::memcpy(&length, header.constData(), sizeof length);
    if (length > kNativeMessageLimit)
        return MessageEnd::TooLarge;
    const QByteArray body = readExactly(in, length);
    if (body.size() < qsizetype(length))
        return MessageEnd::Truncated;

    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(body, &error);
    if (error.error != QJsonParseError::NoError)
        return MalformedMessage{error.errorString()};
    if (!document.isObject())
        return MalformedMessage{u"the message is not a JSON object"_s};
    return document.object();
}

bool writeNativeMessage(QIODevice& out, const QJsonObject& message)
{
    const QByteArray body = QJsonDocument(message).toJson(QJsonDocument::Compact);
    const quint32 length = quint32(body.size());
    QByteArray bytes(sizeof length, Qt::Uninitialized);
    std::memcpy(bytes.data(), &length, sizeof length);
    bytes += body;
    return out.write(bytes) == bytes.size();
}

} // namespace kvel
