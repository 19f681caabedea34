// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "lookup/access/JetConverter.h"
#include "support/TestDictionary.h"

#include <QString>

namespace kvel::test {

// A stand-in for kvel-dict that holds each conversion until the test lets it
// go: it notes that it started, waits for its gate to open, then hands out a
// prepared SQLite file. Tests thus see what happens while a conversion runs
// without timing anything.
class GatedConverter
{
public:
    // The script, its marks and the cache live in `folder`.
    explicit GatedConverter(const QString& folder);

    JetConverter converter() const;
    // What every conversion from now on hands out.
    void handOut(const QList<Row>& rows, const QVariant& version = QStringLiteral("2.5"));
    // Whether a conversion has started since the gate last closed.
    bool started() const;
    void open();
    // Holds the conversions that start from now on.
    void close();

private:
    QString m_folder;
};

} // namespace kvel::test
