// SPDX-License-Identifier: GPL-2.0-or-later
#include "LongMemoJet.h"

#include "DictTestFiles.h"

#include <QFile>
#include <QtEndian>
#include <mdbtools.h>
#include <stdexcept>

using namespace Qt::StringLiterals;

namespace kvel::test {

namespace {

constexpr qsizetype kPageSize = 4096; // Jet 4
constexpr qsizetype kRowCountAt = 0x0C;
constexpr qsizetype kChunk = 4000; // of memo bytes per page, after the next-page pointer

// Where the 12-byte memo field (length and flags, first page and row, unused)
// of the row "long" lies in the file, found by reading the file with libmdb.
qsizetype memoFieldOfLong(const QString& path)
{
    MdbHandle* mdb = mdb_open(QFile::encodeName(path).constData(), MDB_NOFLAGS);
    if (!mdb || !mdb_read_catalog(mdb, MDB_TABLE))
        throw std::runtime_error("libmdb cannot open the copy");
    char name[] = "TblKvel";
    MdbTableDef* table = mdb_read_table_by_name(mdb, name, MDB_TABLE);
    mdb_read_columns(table);
    QByteArray word(MDB_BIND_SIZE, '\0');
    int length = 0;
    mdb_bind_column(table, 1, word.data(), &length);
    const auto* meaning = static_cast<MdbColumn*>(g_ptr_array_index(table->columns, 1));
    qsizetype at = -1;
    mdb_rewind_table(table);
    while (at < 0 && mdb_fetch_row(table)) {
        if (QByteArray(word.constData(), length) == "long")
            at = qsizetype(table->cur_phys_pg) * kPageSize + meaning->cur_value_start;
    }
    mdb_free_tabledef(table);
    mdb_close(mdb);
    if (at < 0)
        throw std::runtime_error("jet-kvel.mdb has no row \"long\"");
    return at;
}

// One page holding one row: the next page's number and row (0: the last), then the bytes.
QByteArray memoPage(quint32 nextPageRow, QByteArrayView bytes)
{
    QByteArray page(kPageSize, '\0');
    page[0] = 0x01; // a data page
    page[1] = 0x01;
    page.replace(4, 4, "LVAL");
    const qsizetype rowStart = kPageSize - 4 - bytes.size();
    qToLittleEndian<quint16>(1, page.data() + kRowCountAt);
    qToLittleEndian<quint16>(quint16(rowStart), page.data() + kRowCountAt + 2);
    qToLittleEndian<quint32>(nextPageRow, page.data() + rowStart);
    page.replace(rowStart + 4, bytes.size(), bytes.data(), bytes.size());
    return page;
}

} // namespace

void writeJetWithLongMeaning(const QString& path, const QString& meaning)
{
    QByteArray file = readFile(QStringLiteral(KVEL_JET_DATA "/jet-kvel.mdb"));
    writeFile(path, file);
    const qsizetype field = memoFieldOfLong(path);

    // Jet 4 text is UCS-2, little-endian.
    QByteArray memo(meaning.size() * 2, Qt::Uninitialized);
    qToLittleEndian<quint16>(meaning.utf16(), meaning.size(), memo.data());
    const auto firstPage = quint32(file.size() / kPageSize);
    for (qsizetype at = 0; at < memo.size(); at += kChunk) {
        const bool last = at + kChunk >= memo.size();
        const quint32 next = last ? 0 : (firstPage + quint32(at / kChunk) + 1) << 8;
        file += memoPage(next, QByteArrayView(memo).sliced(at, std::min(kChunk, memo.size() - at)));
    }
    // No flag in the length's high byte: a memo in a chain of pages.
    qToLittleEndian<quint32>(quint32(memo.size()), file.data() + field);
    qToLittleEndian<quint32>(firstPage << 8, file.data() + field + 4);
    writeFile(path, file);
}

} // namespace kvel::test
