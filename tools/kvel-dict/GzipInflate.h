#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace kvel::dictbuild {

// The whole content of gzip data, dictzip included (its chunk table is only an
// extra header field). Throws BuildError naming fileName when the data is not
// gzip, is damaged or ends early.
QByteArray inflateGzip(QByteArrayView compressed, const QString& fileName);

} // namespace kvel::dictbuild
