// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArrayView>
#include <QString>
#include <optional>

namespace kvel::dictbuild {

// Strict UTF-8: nothing for malformed, overlong or truncated sequences, so bad
// input is reported instead of turning into replacement characters.
std::optional<QString> decodeUtf8(QByteArrayView bytes);

} // namespace kvel::dictbuild
