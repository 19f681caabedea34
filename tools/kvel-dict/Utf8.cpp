// SPDX-License-Identifier: GPL-2.0-or-later
#include "kvel-dict/Utf8.h"

#include <QStringDecoder>

namespace kvel::dictbuild {

std::optional<QString> decodeUtf8(QByteArrayView bytes)
{
    // Stateless makes a sequence cut off at the end an error instead of pending input;
    // ConvertInitialBom keeps a leading BOM, which only the caller knows how to treat.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                     QStringDecoder::Flag::ConvertInitialBom);
    QString text = decoder.decode(bytes);
    if (decoder.hasError()) {
        return std::nullopt;
    }
    return text;
}

} // namespace kvel::dictbuild
