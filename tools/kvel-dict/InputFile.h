#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

namespace kvel::dictbuild {

// The whole file; throws BuildError naming it when it cannot be read.
QByteArray readInputFile(const QString& path);

// The lines of a text without their "\n" or "\r\n"; line n is at index n - 1.
QList<QByteArrayView> splitLines(QByteArrayView data);

} // namespace kvel::dictbuild
