// SPDX-License-Identifier: GPL-2.0-or-later
#include "support/HostileDictionaries.h"

#include "support/TestDictionary.h"

#include <QDir>
#include <QFile>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <sys/stat.h>
#include <thread>

using namespace Qt::StringLiterals;

namespace kvel::test {

namespace {

// Rows for ever, and memory with them when something keeps reading them.
const QString kEndlessRows = u"with recursive r(n) as (select 1 union all select n + 1 from r) "_s;

} // namespace

void writeVersionOnly(const QString& path, const QString& tables)
{
    executeSql(path,
               u"create table TblVer(Ver text); insert into TblVer values('2.5');"_s + tables);
}

void writeRecursiveViewDictionary(const QString& path)
{
    writeVersionOnly(path, u"create view TblKvel(Word, Meaning, Selected) as "_s + kEndlessRows +
                               u"select 'zebra' || n, 'zebra', -1 from r"_s);
}

QList<HostileDictionary> refusedDictionaries()
{
    return {
        {"TblKvel a recursive view", writeRecursiveViewDictionary},
        {"TblVer a view whose first row never comes",
         [](const QString& path) {
             writeDictionary(path, {{u"house"_s, u"kuća"_s, -1}}, QVariant());
             executeSql(path, u"drop table TblVer; create view TblVer(Ver) as "_s + kEndlessRows +
                                  u"select '2.5' from r where n < 0"_s);
         }},
        {"TblKvel a view of a good table",
         [](const QString& path) {
             writeVersionOnly(path, u"create table Words(Word, Meaning, Selected);"
                                    "insert into Words values('house', 'kuća', -1);"
                                    "create view TblKvel as select * from Words"_s);
         }},
        {"TblKvel a virtual table",
         [](const QString& path) {
             writeVersionOnly(path, u"create virtual table TblKvel using fts5(Word, Meaning, "
                                    "Selected); insert into TblKvel values('house', 'kuća', -1)"_s);
         }},
        {"a FIFO",
         [](const QString& path) {
             ::mkfifo(QFile::encodeName(path).constData(), 0600);
         }},
        {"a folder",
         [](const QString& path) {
             QDir().mkpath(path);
         }},
    };
}

void finishWithin(std::chrono::seconds limit, const std::function<void()>& work)
{
    auto task = std::make_shared<std::packaged_task<void()>>(work);
    std::future<void> done = task->get_future();
    std::thread([task] { (*task)(); }).detach();
    if (done.wait_for(limit) == std::future_status::ready) {
        done.get();
        return;
    }
    std::fprintf(stderr, "still running after %lld s: the reader hangs\n",
                 static_cast<long long>(limit.count()));
    std::fflush(stderr);
    std::_Exit(EXIT_FAILURE);
}

} // namespace kvel::test
