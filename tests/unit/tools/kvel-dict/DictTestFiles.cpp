// SPDX-License-Identifier: GPL-2.0-or-later
#include "DictTestFiles.h"

#include <QFile>
#include <algorithm>
#include <stdexcept>

using namespace Qt::StringLiterals;
#include <zlib.h>

namespace kvel::test {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        throw std::runtime_error("cannot write test file " + path.toStdString());
    }
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw std::runtime_error("cannot read test file " + path.toStdString());
    }
    return file.readAll();
}

QByteArray gzip(const QByteArray& data)
{
    z_stream stream{};
    deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, 16 + MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    QByteArray out(int(deflateBound(&stream, uLong(data.size()))), Qt::Uninitialized);
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.constData()));
    stream.avail_in = uInt(data.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = uInt(out.size());
    deflate(&stream, Z_FINISH);
    out.truncate(qsizetype(stream.total_out));
    deflateEnd(&stream);
    return out;
}

QByteArray gzipZeros(qint64 count)
{
    z_stream stream{};
    deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, 16 + MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    QByteArray zeros(1 << 20, '\0');
    QByteArray chunk(1 << 16, Qt::Uninitialized);
    QByteArray out;
    qint64 left = count;
    int flush = Z_NO_FLUSH;
    do {
        const qint64 take = std::min<qint64>(left, zeros.size());
        left -= take;
        flush = left == 0 ? Z_FINISH : Z_NO_FLUSH;
        stream.next_in = reinterpret_cast<Bytef*>(zeros.data());
        stream.avail_in = uInt(take);
        do {
            stream.next_out = reinterpret_cast<Bytef*>(chunk.data());
            stream.avail_out = uInt(chunk.size());
            deflate(&stream, flush);
            out.append(chunk.constData(), chunk.size() - qsizetype(stream.avail_out));
        } while (stream.avail_out == 0);
    } while (flush != Z_FINISH);
    deflateEnd(&stream);
    return out;
}

QByteArray dictdNumber(qint64 value)
{
    static const char digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    QByteArray text;
    do {
        text.prepend(digits[value % 64]);
        value /= 64;
    } while (value > 0);
    return text;
}

void writeDictd(const QString& base, const QList<std::pair<QString, QString>>& articles,
                bool zipped)
{
    QByteArray index;
    QByteArray dict;
    for (const auto& [headword, article] : articles) {
        const QByteArray bytes = article.toUtf8();
        index += headword.toUtf8() + '\t' + dictdNumber(dict.size()) + '\t' +
                 dictdNumber(bytes.size()) + '\n';
        dict += bytes;
    }
    writeFile(base + u".index"_s, index);
    if (zipped) {
        writeFile(base + u".dict.dz"_s, gzip(dict));
    } else {
        writeFile(base + u".dict"_s, dict);
    }
}

} // namespace kvel::test
