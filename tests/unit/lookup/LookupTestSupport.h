// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "lookup/text/FoldedKeys.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace kvel::test {

// Headword keys folded from the given texts, in that order.
inline FoldedKeys keysOf(const QStringList& texts)
{
    FoldedKeys keys;
    for (const QString& text : texts)
        keys.append(text);
    return keys;
}

// Each test gets its own folder for the dictionary file at `path`.
class DictionaryFileTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        path = dir.filePath(QStringLiteral("kvel.mdb"));
    }

    QTemporaryDir dir;
    QString path;
};

} // namespace kvel::test
