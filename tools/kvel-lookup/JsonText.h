// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace kvel {

// Small JSON pieces written by hand, because the output keeps its keys in a
// fixed, readable order (QJsonObject sorts them).
QString jsonString(const QString& text);
QString jsonStringArray(const QStringList& items);

} // namespace kvel
