// SPDX-License-Identifier: GPL-2.0-or-later
#include "FuzzInput.h"

namespace kvel::fuzz {

namespace {

constexpr QByteArrayView kPartMarker("\n--\n");

} // namespace

uint8_t FuzzInput::takeByte()
{
    if (m_rest.isEmpty())
        return 0;
    const auto byte = uint8_t(m_rest.front());
    m_rest = m_rest.sliced(1);
    return byte;
}

QByteArrayView FuzzInput::takePart()
{
    const qsizetype marker = m_rest.indexOf(kPartMarker);
    if (marker < 0) {
        const QByteArrayView part = m_rest;
        m_rest = {};
        return part;
    }
    const QByteArrayView part = m_rest.first(marker);
    m_rest = m_rest.sliced(marker + kPartMarker.size());
    return part;
}

QString textFromBytes(QByteArrayView bytes, bool utf16)
{
    if (!utf16)
        return QString::fromUtf8(bytes);
    QString text(bytes.size() / 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        text[i] = QChar(char16_t(uint8_t(bytes[2 * i]) | uint8_t(bytes[2 * i + 1]) << 8));
    return text;
}

qsizetype characterCount(const QString& text)
{
    qsizetype count = 0;
    for (qsizetype i = 0; i < text.size(); ++i, ++count) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
    }
    return count;
}

} // namespace kvel::fuzz
