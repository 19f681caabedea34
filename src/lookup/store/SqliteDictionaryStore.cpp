// SPDX-License-Identifier: GPL-2.0-or-later
#include "lookup/store/SqliteDictionaryStore.h"

#include "lookup/sqlite/SelectedColumn.h"
#include "lookup/sqlite/SqliteStatement.h"
#include "lookup/text/TextFolding.h"
#include "lookup/text/TolerantMatching.h"

#include <sqlite3.h>

namespace kvel {

namespace {

// kvel_match(Word, foldedPhrase, method): the matching rule as an SQL function,
// because SQLite's LIKE folds ASCII letters only.
void matchFunction(sqlite3_context* context, int, sqlite3_value** values)
{
    const auto* word = static_cast<const char16_t*>(sqlite3_value_text16(values[0]));
    const auto* phrase = static_cast<const char16_t*>(sqlite3_value_text16(values[1]));
    if (!word || !phrase) {
        sqlite3_result_int(context, 0);
        return;
    }
    const QString foldedWord =
        foldForMatching(QString::fromUtf16(word, sqlite3_value_bytes16(values[0]) / 2));
    const QStringView foldedPhrase(phrase, sqlite3_value_bytes16(values[1]) / 2);
    const auto method = static_cast<FindMethod>(sqlite3_value_int(values[2]));
    sqlite3_result_int(context, matchesFolded(foldedWord, foldedPhrase, method) ? 1 : 0);
}

// kvel_tolerant(Word, phraseForm, method, serbian): tolerant matching,
// likewise, across pronunciations for a Serbian headword.
void tolerantFunction(sqlite3_context* context, int, sqlite3_value** values)
{
    const auto* word = static_cast<const char16_t*>(sqlite3_value_text16(values[0]));
    const auto* phrase = static_cast<const char16_t*>(sqlite3_value_text16(values[1]));
    if (!word || !phrase) {
        sqlite3_result_int(context, 0);
        return;
    }
    const QString wordForm =
        tolerantForm(QString::fromUtf16(word, sqlite3_value_bytes16(values[0]) / 2));
    const QStringView phraseForm(phrase, sqlite3_value_bytes16(values[1]) / 2);
    const auto method = static_cast<FindMethod>(sqlite3_value_int(values[2]));
    const Pronunciations pronunciations = sqlite3_value_int(values[3]) != 0
                                              ? Pronunciations::EkavianOrIjekavian
                                              : Pronunciations::AsWritten;
    sqlite3_result_int(context,
                       matchesTolerantly(wordForm, phraseForm, method, pronunciations) ? 1 : 0);
}

// Direct only: SQL stored in the file can never call them.
void registerMatchFunction(sqlite3* db)
{
    constexpr int flags = SQLITE_UTF16 | SQLITE_DETERMINISTIC | SQLITE_DIRECTONLY;
    sqlite3_create_function(db, "kvel_match", 3, flags, nullptr, matchFunction, nullptr, nullptr);
    sqlite3_create_function(db, "kvel_tolerant", 4, flags, nullptr, tolerantFunction, nullptr,
                            nullptr);
}

QByteArray findRowsSql(SearchLanguage language, Matching matching)
{
    // NOT INDEXED keeps the scan in the table's stored order even if someone
    // added an index to the file.
    QByteArray sql =
        "select Word, Meaning, " + selectedAsRead() + " from TblKvel not indexed where ";
    switch (language) {
    case SearchLanguage::English:
        sql += selectedIs(kEnglishHeadword) + " and ";
        break;
    case SearchLanguage::Serbian:
        sql += selectedIs(kSerbianHeadword) + " and ";
        break;
    case SearchLanguage::Both:
        break;
    }
    if (matching == Matching::Tolerant)
        sql += "kvel_tolerant(Word, ?4, ?2, " + selectedIs(kSerbianHeadword) + ") and not ";
    return sql + "kvel_match(Word, ?1, ?2) limit ?3";
}

std::optional<QList<DictionaryRow>> readRows(SqliteStatement& statement)
{
    QList<DictionaryRow> rows;
    int step;
    while ((step = sqlite3_step(statement.get())) == SQLITE_ROW)
        rows.append({statement.text(0), statement.text(1), sqlite3_column_int(statement.get(), 2)});
    if (step != SQLITE_DONE)
        return std::nullopt;
    return rows;
}

} // namespace

SqliteDictionaryStore::SqliteDictionaryStore(QString path, ReadBudget budget)
    : m_database(std::move(path), registerMatchFunction, budget)
{}

std::optional<QList<DictionaryRow>> SqliteDictionaryStore::findRows(SearchLanguage language,
                                                                    FindMethod method,
                                                                    const QString& phrase,
                                                                    int limit)
{
    SqliteStatement statement(m_database.connection(),
                              findRowsSql(language, Matching::Exact).constData());
    if (!statement)
        return std::nullopt;
    statement.bindText(1, foldForMatching(phrase));
    statement.bindInt(2, int(method));
    statement.bindInt(3, limit);
    return readRows(statement);
}

std::optional<QList<DictionaryRow>>
SqliteDictionaryStore::findOnlyTolerantRows(SearchLanguage language, FindMethod method,
                                            const QString& phrase, int limit)
{
    SqliteStatement statement(m_database.connection(),
                              findRowsSql(language, Matching::Tolerant).constData());
    if (!statement)
        return std::nullopt;
    statement.bindText(1, foldForMatching(phrase));
    statement.bindInt(2, int(method));
    statement.bindInt(3, limit);
    statement.bindText(4, tolerantForm(phrase));
    return readRows(statement);
}

QString SqliteDictionaryStore::queryMeaning(const QString& phrase, int selected)
{
    SqliteStatement statement(m_database.connection(),
                              "select Meaning from TblKvel not indexed "
                              "where Selected = ?2 and kvel_match(Word, ?1, ?3) limit 2");
    if (!statement)
        return QString();
    statement.bindText(1, foldForMatching(phrase));
    statement.bindInt(2, selected);
    statement.bindInt(3, int(FindMethod::Whole));

    QString meaning;
    int rows = 0;
    int step;
    while ((step = sqlite3_step(statement.get())) == SQLITE_ROW) {
        meaning = statement.text(0);
        ++rows;
    }
    return step == SQLITE_DONE && rows == 1 ? meaning : QString();
}

QString SqliteDictionaryStore::readVersion()
{
    return readDictionaryVersion(m_database.connection());
}

QString readDictionaryVersion(sqlite3* db)
{
    SqliteStatement statement(db, "select * from TblVer limit 1");
    if (!statement || sqlite3_step(statement.get()) != SQLITE_ROW)
        return QString();
    for (int column = 0; column < sqlite3_column_count(statement.get()); ++column) {
        if (sqlite3_stricmp(sqlite3_column_name(statement.get(), column), "Ver") == 0)
            return statement.text(column);
    }
    return QString();
}

} // namespace kvel
