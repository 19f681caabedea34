// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArrayView>
#include <QString>
#include <cstddef>
#include <cstdint>

namespace kvel::fuzz {

// Takes a fuzzer's bytes apart: choice bytes from the front, then texts or
// parts separated by a marker line, so seed files stay readable.
class FuzzInput
{
public:
    FuzzInput(const uint8_t* data, size_t size)
        : m_rest(reinterpret_cast<const char*>(data), qsizetype(size))
    {}

    // One byte from the front (0 when none is left).
    uint8_t takeByte();

    // Everything up to the next "\n--\n" (or the end), which is consumed too.
    QByteArrayView takePart();

    QByteArrayView rest() const { return m_rest; }

private:
    QByteArrayView m_rest;
};

// UTF-8 for readable seeds, or raw UTF-16 units so that NULs, lone surrogates
// and every other code unit reach the code under test.
QString textFromBytes(QByteArrayView bytes, bool utf16);

// Counts code points, a well-formed surrogate pair as one.
qsizetype characterCount(const QString& text);

} // namespace kvel::fuzz
