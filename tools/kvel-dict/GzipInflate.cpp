// SPDX-License-Identifier: GPL-2.0-or-later
#include "kvel-dict/GzipInflate.h"

#include "kvel-dict/BuildError.h"
#include "kvel-dict/InputFile.h"

#include <algorithm>
#include <limits>
#include <zlib.h>

namespace kvel::dictbuild {

namespace {

class Inflater
{
public:
    Inflater()
    {
        // 16 + MAX_WBITS: expect a gzip header and trailer, not a raw zlib stream.
        m_ok = inflateInit2(&m_stream, 16 + MAX_WBITS) == Z_OK;
    }
    ~Inflater() { inflateEnd(&m_stream); }
    Inflater(const Inflater&) = delete;
    Inflater& operator=(const Inflater&) = delete;

    bool ok() const { return m_ok; }
    z_stream& stream() { return m_stream; }

private:
    z_stream m_stream{};
    bool m_ok = false;
};

[[noreturn]] void throwDamaged(const QString& fileName, const char* why)
{
    throw BuildError(QStringLiteral("%1: not a valid gzip/dictzip file (%2)")
                         .arg(fileName, QString::fromUtf8(why ? why : "unknown error")));
}

} // namespace

QByteArray inflateGzip(QByteArrayView compressed, const QString& fileName, qint64 maxBytes)
{
    Inflater inflater;
    if (!inflater.ok()) {
        throwDamaged(fileName, "zlib could not start");
    }
    z_stream& stream = inflater.stream();
    constexpr qsizetype kMaxChunk = std::numeric_limits<uInt>::max() / 2;
    const auto* next = reinterpret_cast<const Bytef*>(compressed.data());
    qsizetype remaining = compressed.size();
    QByteArray result;
    // One byte past the limit shows that the data goes beyond it.
    const qsizetype roomNeeded = maxBytes + 1;
    result.resize(std::min(std::max<qsizetype>(4096, compressed.size() * 4), roomNeeded));
    qsizetype produced = 0;
    int status = Z_OK;
    while (true) {
        if (stream.avail_in == 0 && remaining > 0) {
            const qsizetype chunk = std::min(remaining, kMaxChunk);
            stream.next_in = const_cast<Bytef*>(next);
            stream.avail_in = static_cast<uInt>(chunk);
            next += chunk;
            remaining -= chunk;
        }
        if (produced == result.size()) {
            if (produced == roomNeeded) {
                throwTooLarge(fileName, QStringLiteral("inflates to"), maxBytes);
            }
            result.resize(std::min(result.size() * 2, roomNeeded));
        }
        const qsizetype room = std::min(result.size() - produced, kMaxChunk);
        stream.next_out = reinterpret_cast<Bytef*>(result.data() + produced);
        stream.avail_out = static_cast<uInt>(room);
        status = inflate(&stream, Z_NO_FLUSH);
        produced += room - stream.avail_out;
        if (status == Z_STREAM_END) {
            // gzip allows several members one after another; read them all.
            if (stream.avail_in == 0 && remaining == 0) {
                break;
            }
            inflateReset(&stream);
        } else if (status == Z_BUF_ERROR && stream.avail_in == 0 && remaining == 0) {
            throwDamaged(fileName, "the data ends early");
        } else if (status != Z_OK && status != Z_BUF_ERROR) {
            throwDamaged(fileName, stream.msg);
        }
    }
    if (produced > maxBytes) {
        throwTooLarge(fileName, QStringLiteral("inflates to"), maxBytes);
    }
    result.truncate(produced);
    return result;
}

} // namespace kvel::dictbuild
