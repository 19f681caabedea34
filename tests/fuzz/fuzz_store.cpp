// SPDX-License-Identifier: GPL-2.0-or-later
// Any bytes opened as the dictionary file: the checks, lookups and meaning
// queries of both stores never crash, and on an intact file they agree.

#include "FuzzCheck.h"
#include "FuzzFiles.h"
#include "FuzzRows.h"
#include "lookup/engine/LookupEngine.h"
#include "lookup/store/DictionaryChecks.h"
#include "lookup/store/IndexedDictionaryStore.h"
#include "lookup/store/SqliteDictionaryStore.h"

#include <sqlite3.h>

using namespace Qt::StringLiterals;
using kvel::fuzz::require;
using kvel::fuzz::sameRows;

namespace {

// Damage SQLite can read past (a rowid twice, say) may make the stores differ;
// they only have to agree on files that pass SQLite's own check.
bool intact(const QString& path)
{
    sqlite3* db = nullptr;
    bool ok = false;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) ==
        SQLITE_OK) {
        sqlite3_stmt* check = nullptr;
        ok = sqlite3_prepare_v2(db, "pragma integrity_check", -1, &check, nullptr) == SQLITE_OK &&
             sqlite3_step(check) == SQLITE_ROW &&
             qstrcmp(reinterpret_cast<const char*>(sqlite3_column_text(check, 0)), "ok") == 0;
        sqlite3_finalize(check);
    }
    sqlite3_close(db);
    return ok;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const QString path = kvel::fuzz::scratchPath(u"kvel.mdb"_s);
    kvel::fuzz::writeScratchFile(
        path, QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));

    kvel::SqliteDictionaryStore plain(path);
    kvel::IndexedDictionaryStore indexed(path);
    kvel::runDictionaryChecks(path, plain);
    const bool comparable = intact(path);
    require(indexed.readVersion() == plain.readVersion(), "both stores read the same version");

    for (const QString& phrase : {u"a"_s, u"kuća"_s, u"house"_s}) {
        for (const auto language : {kvel::SearchLanguage::Both, kvel::SearchLanguage::English,
                                    kvel::SearchLanguage::Serbian}) {
            for (const auto method : {kvel::FindMethod::Begins, kvel::FindMethod::Contains,
                                      kvel::FindMethod::Ends, kvel::FindMethod::Whole}) {
                const auto plainRows = plain.findRows(language, method, phrase, 15);
                const auto indexedRows = indexed.findRows(language, method, phrase, 15);
                require(!plainRows || plainRows->size() <= 15, "at most the limit");
                require(!indexedRows || indexedRows->size() <= 15, "at most the limit");
                require(!comparable || !plainRows || !indexedRows ||
                            sameRows(*plainRows, *indexedRows),
                        "both stores find the same rows");
            }
        }
        for (const int selected : {kvel::kEnglishHeadword, kvel::kSerbianHeadword})
            require(!comparable || plain.queryMeaning(phrase, selected) ==
                                       indexed.queryMeaning(phrase, selected),
                    "both stores give the same meaning");
    }
    kvel::LookupEngine(plain).lookUp(u"ku"_s, kvel::SearchLanguage::Both, kvel::FindMethod::Begins);
    return 0;
}
