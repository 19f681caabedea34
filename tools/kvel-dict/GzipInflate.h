// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace kvel::dictbuild {

// The whole content of gzip data, dictzip included (its chunk table is only an
// extra header field). Throws BuildError naming fileName when the data is not
// gzip, is damaged, ends early or inflates to more than maxBytes.
QByteArray inflateGzip(QByteArrayView compressed, const QString& fileName, qint64 maxBytes);

} // namespace kvel::dictbuild
