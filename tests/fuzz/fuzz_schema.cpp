// SPDX-License-Identifier: GPL-2.0-or-later
// An SQLite dictionary built from the fuzzer's SQL (views, triggers, virtual
// and odd tables, pragmas that shape the file), then optionally damaged, read
// through both stores: they never crash or hang, a TblKvel or TblVer that is
// not an ordinary table gives the dictionary-version notice, and on an intact
// file the stores agree row for row.

#include "FuzzCheck.h"
#include "FuzzFiles.h"
#include "FuzzInput.h"
#include "FuzzRows.h"
#include "lookup/engine/LookupEngine.h"
#include "lookup/store/DictionaryChecks.h"
#include "lookup/store/IndexedDictionaryStore.h"
#include "lookup/store/SqliteDictionaryStore.h"

#include <QFile>
#include <algorithm>
#include <cstring>
#include <sqlite3.h>

using namespace Qt::StringLiterals;
using kvel::fuzz::require;
using kvel::fuzz::sameRows;

namespace {

// The builder's SQL runs this many steps of SQLite's machine at most.
constexpr int kBuildSteps = 2000000;
constexpr int kStepsPerCall = 1000;

int stopAfterBuildSteps(void* calls)
{
    return ++*static_cast<int*>(calls) > kBuildSteps / kStepsPerCall;
}

// The builder may shape the file, never reach outside it: no ATTACH (nor
// VACUUM INTO, which attaches), and only pragmas that change this database.
int onlyThisFile(void*, int action, const char* name, const char*, const char*, const char*)
{
    if (action == SQLITE_ATTACH || action == SQLITE_DETACH)
        return SQLITE_DENY;
    if (action != SQLITE_PRAGMA)
        return SQLITE_OK;
    static const char* const allowed[] = {
        "page_size",          "journal_mode",       "user_version",    "application_id",
        "auto_vacuum",        "encoding",           "writable_schema", "schema_version",
        "secure_delete",      "default_cache_size", "cache_size",      "foreign_keys",
        "recursive_triggers", "legacy_alter_table", "cell_size_check", "trusted_schema",
    };
    return std::any_of(std::begin(allowed), std::end(allowed),
                       [name](const char* pragma) { return sqlite3_stricmp(name, pragma) == 0; })
               ? SQLITE_OK
               : SQLITE_DENY;
}

void build(const QString& path, QByteArrayView sql)
{
    for (const QString& file : {path, path + u"-journal"_s, path + u"-wal"_s, path + u"-shm"_s})
        QFile::remove(file);
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                        nullptr) == SQLITE_OK) {
        sqlite3_limit(db, SQLITE_LIMIT_LENGTH, 1 << 20);
        sqlite3_limit(db, SQLITE_LIMIT_ATTACHED, 0);
        int calls = 0;
        sqlite3_progress_handler(db, kStepsPerCall, stopAfterBuildSteps, &calls);
        sqlite3_set_authorizer(db, onlyThisFile, nullptr);
        const QByteArray text = sql.toByteArray();
        sqlite3_exec(db, text.constData(), nullptr, nullptr, nullptr);
    }
    sqlite3_close(db);
}

// What SQLite, reading the file the ordinary way, takes TblKvel and TblVer
// for; true when either is anything but an ordinary table.
bool namesSomethingElse(const QString& path)
{
    sqlite3* db = nullptr;
    bool other = false;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) ==
        SQLITE_OK) {
        int calls = 0;
        sqlite3_progress_handler(db, kStepsPerCall, stopAfterBuildSteps, &calls);
        sqlite3_stmt* schema = nullptr;
        if (sqlite3_prepare_v2(db,
                               "select count(*) from pragma_table_list where lower(name) in "
                               "('tblkvel', 'tblver') and type <> 'table'",
                               -1, &schema, nullptr) == SQLITE_OK &&
            sqlite3_step(schema) == SQLITE_ROW)
            other = sqlite3_column_int(schema, 0) > 0;
        sqlite3_finalize(schema);
    }
    sqlite3_close(db);
    return other;
}

bool intact(const QString& path)
{
    sqlite3* db = nullptr;
    bool ok = false;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) ==
        SQLITE_OK) {
        int calls = 0;
        sqlite3_progress_handler(db, kStepsPerCall, stopAfterBuildSteps, &calls);
        sqlite3_stmt* check = nullptr;
        ok = sqlite3_prepare_v2(db, "pragma integrity_check", -1, &check, nullptr) == SQLITE_OK &&
             sqlite3_step(check) == SQLITE_ROW &&
             qstrcmp(reinterpret_cast<const char*>(sqlite3_column_text(check, 0)), "ok") == 0;
        sqlite3_finalize(check);
    }
    sqlite3_close(db);
    return ok;
}

// Bytes laid over the built file from `offset` on: a header that asks for odd
// page sizes, cache sizes or a write-ahead log, or pages that point anywhere.
void damage(const QString& path, qint64 offset, QByteArrayView bytes)
{
    QFile file(path);
    if (bytes.isEmpty() || !file.open(QIODevice::ReadWrite) || offset >= file.size())
        return;
    file.seek(offset);
    file.write(bytes.data(), std::min<qint64>(bytes.size(), file.size() - offset));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const QString path = kvel::fuzz::scratchPath(u"kvel.mdb"_s);
    kvel::fuzz::FuzzInput input(data, size);
    const qint64 damageAt = qint64(input.takeByte()) * 16;
    build(path, input.takePart());
    damage(path, damageAt, input.rest());

    // A short budget: a file that takes longer is refused, as a slow one is.
    const kvel::ReadBudget budget{std::chrono::milliseconds(500), std::chrono::milliseconds(0)};
    kvel::SqliteDictionaryStore plain(path, budget);
    kvel::IndexedDictionaryStore indexed(path, budget);
    const bool refused = namesSomethingElse(path);
    const bool comparable = !refused && intact(path);
    for (kvel::DictionaryStore* store : {static_cast<kvel::DictionaryStore*>(&plain),
                                         static_cast<kvel::DictionaryStore*>(&indexed)}) {
        const kvel::DictionaryChecks checks = kvel::runDictionaryChecks(path, *store);
        require(!refused || !checks.versionOk, "a table that is not ordinary is refused");
        const std::optional<kvel::BalloonContent> display = kvel::LookupEngine(*store).lookUp(
            u"h"_s, kvel::SearchLanguage::Both, kvel::FindMethod::Contains);
        require(!refused ||
                    (display && display->kind == kvel::ContentKind::DictionaryVersionNotice),
                "a refused file shows the version notice");
    }

    for (const QString& phrase : {u"h"_s, u"house"_s, u"kuća"_s}) {
        for (const auto method : {kvel::FindMethod::Begins, kvel::FindMethod::Contains,
                                  kvel::FindMethod::Ends, kvel::FindMethod::Whole}) {
            const auto plainRows = plain.findRows(kvel::SearchLanguage::Both, method, phrase, 15);
            const auto indexedRows =
                indexed.findRows(kvel::SearchLanguage::Both, method, phrase, 15);
            require(!plainRows || plainRows->size() <= 15, "at most the limit");
            require(!indexedRows || indexedRows->size() <= 15, "at most the limit");
            require(!comparable || !plainRows || !indexedRows || sameRows(*plainRows, *indexedRows),
                    "both stores find the same rows");
        }
        require(!comparable || plain.queryMeaning(phrase, kvel::kEnglishHeadword) ==
                                   indexed.queryMeaning(phrase, kvel::kEnglishHeadword),
                "both stores give the same meaning");
    }
    return 0;
}
