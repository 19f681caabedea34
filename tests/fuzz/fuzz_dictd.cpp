// SPDX-License-Identifier: GPL-2.0-or-later
// The dictd reader on any index and article bytes, the articles plain, gzip
// compressed, or taken as dictzip bytes as they are.

#include "FuzzCheck.h"
#include "FuzzFiles.h"
#include "FuzzInput.h"
#include "core/SearchSettings.h"
#include "kvel-dict/BuildError.h"
#include "kvel-dict/DictdReader.h"
#include "kvel-dict/DictionaryRows.h"

#include <QFile>
#include <zlib.h>

using namespace Qt::StringLiterals;
using kvel::fuzz::require;

namespace {

QByteArray gzipped(QByteArrayView data)
{
    z_stream stream{};
    // 16 + MAX_WBITS: a gzip header and trailer, as dictzip files have.
    require(deflateInit2(&stream, Z_BEST_SPEED, Z_DEFLATED, 16 + MAX_WBITS, 8,
                         Z_DEFAULT_STRATEGY) == Z_OK,
            "zlib starts");
    QByteArray out(int(deflateBound(&stream, uLong(data.size()))), Qt::Uninitialized);
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    stream.avail_in = uInt(data.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = uInt(out.size());
    require(deflate(&stream, Z_FINISH) == Z_STREAM_END, "zlib compresses");
    out.resize(qsizetype(stream.total_out));
    deflateEnd(&stream);
    return out;
}

enum class Articles
{
    Plain,
    Gzipped,
    RawDictzip,
};

void writeDictionary(const QString& base, QByteArrayView index, QByteArrayView articles,
                     Articles form)
{
    kvel::fuzz::writeScratchFile(base + u".index"_s, index);
    const QString plain = base + u".dict"_s;
    const QString zipped = base + u".dict.dz"_s;
    QFile::remove(form == Articles::Plain ? zipped : plain);
    if (form == Articles::Plain)
        kvel::fuzz::writeScratchFile(plain, articles);
    else
        kvel::fuzz::writeScratchFile(zipped,
                                     form == Articles::Gzipped ? gzipped(articles) : articles);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const QString base = kvel::fuzz::scratchPath(u"fuzz"_s);

    kvel::fuzz::FuzzInput input(data, size);
    const auto form = Articles(input.takeByte() % 3);
    const QByteArrayView index = input.takePart();
    writeDictionary(base, index, input.rest(), form);

    QList<kvel::dictbuild::SourceEntry> entries;
    try {
        entries = kvel::dictbuild::readDictdDictionary(base);
    } catch (const kvel::dictbuild::BuildError& error) {
        require(error.message().startsWith(base), "an error names the file at fault");
        return 0;
    }
    require(entries.size() <= index.count('\n') + 1, "at most one entry per index line");

    const QList<kvel::DictionaryRow> rows =
        kvel::dictbuild::makeDictionaryRows({{kvel::kEnglishHeadword, entries}});
    require(rows.size() <= entries.size(), "no more rows than entries");
    return 0;
}
