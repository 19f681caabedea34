#include "JetDictionaryReader.h"

#include "BuildError.h"
#include "InputFile.h"
#include "SearchSettings.h"

#include <QFile>
#include <mdbtools.h>
#include <memory>

namespace kvel::dictbuild {

namespace {

// Room for the longest text libmdb can give: a memo holds under 16 MiB of
// "compressed" UCS-2, one byte a character, at most two bytes each in UTF-8.
constexpr size_t kBindSize = (size_t(32) << 20) + 1;

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
    BoundColumn(MdbTableDef* table, int index, int type)
        : m_type(type), m_buffer(new char[kBindSize])
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

private:
    int m_type;
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
        mdb_set_bind_size(m_mdb.get(), kBindSize);
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

    // The column of that name (case-insensitive, as Jet names are), bound.
    static std::optional<BoundColumn> bind(MdbTableDef* table, const char* name)
    {
        for (unsigned int i = 0; i < table->num_cols; ++i) {
            const auto* column = static_cast<MdbColumn*>(g_ptr_array_index(table->columns, i));
            if (g_ascii_strcasecmp(column->name, name) == 0) {
                return std::optional<BoundColumn>(std::in_place, table, int(i), column->col_type);
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

QList<DictionaryRow> readRows(JetFile& file)
{
    const Table table = file.table("TblKvel");
    if (!table) {
        file.fail(QStringLiteral("no table TblKvel"));
    }
    const std::optional<BoundColumn> word = JetFile::bind(table.get(), "Word");
    const std::optional<BoundColumn> meaning = JetFile::bind(table.get(), "Meaning");
    const std::optional<BoundColumn> selected = JetFile::bind(table.get(), "Selected");
    if (!word || !meaning || !selected || !isText(word->type()) || !isText(meaning->type()) ||
        !isYesNoOrInteger(selected->type())) {
        file.fail(QStringLiteral("TblKvel needs the text columns Word and Meaning and the "
                                 "Yes/No column Selected"));
    }

    QList<DictionaryRow> rows;
    mdb_rewind_table(table.get());
    while (mdb_fetch_row(table.get())) {
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

std::optional<QString> readVersion(JetFile& file)
{
    const Table table = file.table("TblVer");
    if (!table) {
        return std::nullopt;
    }
    const std::optional<BoundColumn> version = JetFile::bind(table.get(), "Ver");
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
