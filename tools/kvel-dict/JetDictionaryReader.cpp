// SPDX-License-Identifier: GPL-2.0-or-later
#include "kvel-dict/JetDictionaryReader.h"

#include "core/SearchSettings.h"
#include "kvel-dict/BuildError.h"
#include "kvel-dict/InputFile.h"

#include <QFile>
#include <algorithm>
#include <mdbtools.h>
#include <memory>

namespace kvel::dictbuild {

namespace {

// libmdb converts every text into a buffer of one size for all columns and
// allocates that much again for each value it reads, so a large buffer makes
// reading slow (32 MiB: 25 times slower) and a small one cuts long texts.
// Reading starts with room for any ordinary meaning and starts over with
// more whenever a text may have been cut.
constexpr size_t kFirstBindSize = size_t(64) << 10;
// Room for the longest text libmdb can give: a memo holds under 16 MiB of
// "compressed" UCS-2, one byte a character, at most two bytes each in UTF-8.
constexpr size_t kLargestBindSize = (size_t(32) << 20) + 1;
// libmdb stops converting when the next character (at most 4 bytes in UTF-8)
// and the final NUL no longer fit.
constexpr size_t kCutMargin = 4;

struct HandleCloser
{
    void operator()(MdbHandle* mdb) const { mdb_close(mdb); }
};
using Handle = std::unique_ptr<MdbHandle, HandleCloser>;

struct TableFreer
{
    void operator()(MdbTableDef* table) const { mdb_free_tabledef(table); }
};
using Table = std::unique_ptr<MdbTableDef, TableFreer>;

// One column of a table, bound to a buffer that each fetched row fills with
// the value as UTF-8 text ("1"/"0" for a Yes/No column, "" for NULL).
class BoundColumn
{
public:
    BoundColumn(MdbTableDef* table, int index, int type, size_t size)
        : m_type(type), m_size(size), m_buffer(new char[size])
    {
        m_buffer[0] = '\0';
        mdb_bind_column(table, index + 1, m_buffer.get(), &m_length);
    }
    // libmdb keeps the addresses of the buffer and of the length.
    BoundColumn(const BoundColumn&) = delete;
    BoundColumn& operator=(const BoundColumn&) = delete;

    int type() const { return m_type; }
    QString text() const { return QString::fromUtf8(m_buffer.get(), m_length); }
    QByteArray bytes() const { return QByteArray(m_buffer.get(), m_length); }
    // The value may go on past the end of the buffer.
    bool mayBeCut() const { return size_t(m_length) + kCutMargin >= m_size; }

private:
    int m_type;
    size_t m_size;
    int m_length = 0;
    std::unique_ptr<char[]> m_buffer;
};

class JetFile
{
public:
    JetFile(const QString& path, int descriptor) : m_path(path)
    {
        // The text arrives in the encoding this names; Jet 3 files are read in
        // the code page MDB_JET3_CHARSET names (CP1252 when unset).
        qputenv("MDB_ICONV", "UTF-8");
        // libmdb opens files by name only; this name is the open file itself.
        const QByteArray openFile = "/proc/self/fd/" + QByteArray::number(descriptor);
        m_mdb.reset(mdb_open(openFile.constData(), MDB_NOFLAGS));
        if (!m_mdb || !mdb_read_catalog(m_mdb.get(), MDB_TABLE)) {
            fail(QStringLiteral("not an Access (Jet) database"));
        }
    }

    // Nothing when the file has no such table.
    Table table(const char* name)
    {
        QByteArray writableName(name); // libmdb takes a non-const name
        Table table(mdb_read_table_by_name(m_mdb.get(), writableName.data(), MDB_TABLE));
        if (table && !mdb_read_columns(table.get())) {
            fail(QStringLiteral("cannot read the columns of %1").arg(QLatin1StringView(name)));
        }
        return table;
    }

    // The column of that name (case-insensitive, as Jet names are), bound to
    // a buffer of `size` bytes, the size every text is converted for from now on.
    std::optional<BoundColumn> bind(MdbTableDef* table, const char* name, size_t size)
    {
        mdb_set_bind_size(m_mdb.get(), size);
        for (unsigned int i = 0; i < table->num_cols; ++i) {
            const auto* column = static_cast<MdbColumn*>(g_ptr_array_index(table->columns, i));
            if (g_ascii_strcasecmp(column->name, name) == 0) {
                return std::optional<BoundColumn>(std::in_place, table, int(i), column->col_type,
                                                  size);
            }
        }
        return std::nullopt;
    }

    [[noreturn]] void fail(const QString& problem) const
    {
        throw BuildError(QStringLiteral("%1: %2").arg(m_path, problem));
    }

private:
    QString m_path;
    Handle m_mdb;
};

bool isText(int type)
{
    return type == MDB_TEXT || type == MDB_MEMO;
}

bool isYesNoOrInteger(int type)
{
    return type == MDB_BOOL || type == MDB_BYTE || type == MDB_INT || type == MDB_LONGINT;
}

// Every row of TblKvel with texts of at most `bindSize` bytes; nothing when a
// text may be longer.
std::optional<QList<DictionaryRow>> readRows(JetFile& file, MdbTableDef* table, size_t bindSize)
{
    const std::optional<BoundColumn> word = file.bind(table, "Word", bindSize);
    const std::optional<BoundColumn> meaning = file.bind(table, "Meaning", bindSize);
    const std::optional<BoundColumn> selected = file.bind(table, "Selected", bindSize);
    if (!word || !meaning || !selected || !isText(word->type()) || !isText(meaning->type()) ||
        !isYesNoOrInteger(selected->type())) {
        file.fail(QStringLiteral("TblKvel needs the text columns Word and Meaning and the "
                                 "Yes/No column Selected"));
    }

    QList<DictionaryRow> rows;
    mdb_rewind_table(table);
    while (mdb_fetch_row(table)) {
        if (word->mayBeCut() || meaning->mayBeCut()) {
            return std::nullopt;
        }
        bool number = false;
        // libmdb reports a true Yes/No as 1 where Access stores -1.
        const bool english = selected->bytes().toInt(&number) != 0;
        if (!number) {
            file.fail(QStringLiteral("TblKvel.Selected holds \"%1\", not a number")
                          .arg(selected->text()));
        }
        rows.append({word->text(), meaning->text(), english ? kEnglishHeadword : kSerbianHeadword});
    }
    return rows;
}

QList<DictionaryRow> readRows(JetFile& file)
{
    const Table table = file.table("TblKvel");
    if (!table) {
        file.fail(QStringLiteral("no table TblKvel"));
    }
    for (size_t bindSize = kFirstBindSize;; bindSize = std::min(bindSize * 8, kLargestBindSize)) {
        if (std::optional<QList<DictionaryRow>> rows = readRows(file, table.get(), bindSize)) {
            return *rows;
        }
        if (bindSize == kLargestBindSize) {
            file.fail(QStringLiteral("TblKvel holds a text longer than %1 MiB")
                          .arg(kLargestBindSize >> 20));
        }
    }
}

std::optional<QString> readVersion(JetFile& file)
{
    const Table table = file.table("TblVer");
    if (!table) {
        return std::nullopt;
    }
    // One short text: the largest buffer costs nothing here.
    const std::optional<BoundColumn> version = file.bind(table.get(), "Ver", kLargestBindSize);
    mdb_rewind_table(table.get());
    if (!version || !mdb_fetch_row(table.get())) {
        return std::nullopt;
    }
    return version->text();
}

} // namespace

JetDictionary readJetDictionary(const QString& path)
{
    const RegularFile file(path);
    return readJetDictionary(path, file.descriptor());
}

JetDictionary readJetDictionary(const QString& path, int descriptor)
{
    JetFile file(path, descriptor);
    JetDictionary dictionary;
    dictionary.rows = readRows(file);
    dictionary.version = readVersion(file);
    return dictionary;
}

} // namespace kvel::dictbuild
