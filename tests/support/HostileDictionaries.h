// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <chrono>
#include <functional>

namespace kvel::test {

// A dictionary file made to attack whatever reads it.
struct HostileDictionary
{
    const char* name;
    std::function<void(const QString& path)> make; // writes it at `path`
};

// Files no store may read, whose every lookup must end in the
// dictionary-version notice: views that never end, a virtual table, a FIFO,
// a folder.
QList<HostileDictionary> refusedDictionaries();

// A good TblVer, then runs `tables` (SQL) to make the rest of the file.
void writeVersionOnly(const QString& path, const QString& tables);

// A view of rows without end, none of them starting with "h", in place of
// TblKvel; TblVer is good.
void writeRecursiveViewDictionary(const QString& path);

// Runs `work` and fails the whole test program when it is still running after
// `limit`: a reader that hangs must not hang the test run with it.
void finishWithin(std::chrono::seconds limit, const std::function<void()>& work);

} // namespace kvel::test
