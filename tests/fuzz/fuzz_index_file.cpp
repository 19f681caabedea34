// SPDX-License-Identifier: GPL-2.0-or-later
// Any bytes opened as an index file: opening, verifying and lookups of every
// kind never read out of bounds, and a file that opens answers within limits.

#include "FuzzCheck.h"
#include "FuzzFiles.h"
#include "lookup/index/file/IndexFileFormat.h"
#include "lookup/index/file/MappedIndexFile.h"

#include <cstring>

using namespace Qt::StringLiterals;
using kvel::fuzz::require;
using namespace kvel::indexfile;

namespace {

// Random bytes seldom carry the right hash of their table: it is made right,
// so that the mutations reach the checks of the sections and the lookups.
QByteArray withTableHashed(QByteArray bytes)
{
    if (std::size_t(bytes.size()) < sizeof(Header))
        return bytes;
    Header header;
    std::memcpy(&header, bytes.constData(), sizeof header);
    const std::uint64_t tableBytes = std::uint64_t(header.sectionCount) * sizeof(SectionEntry);
    if (header.sectionCount > kMaxSections ||
        sizeof(Header) + tableBytes > std::uint64_t(bytes.size()))
        return bytes;
    const auto* base = reinterpret_cast<const std::uint8_t*>(bytes.constData());
    header.tableHash = hashBytes(std::span(base + sizeof(Header), std::size_t(tableBytes)),
                                 hashBytes(std::span(base, offsetof(Header, tableHash))));
    std::memcpy(bytes.data(), &header, sizeof header);
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const QString path = kvel::fuzz::scratchPath(u"kvel.kvx"_s);
    kvel::fuzz::writeScratchFile(
        path, withTableHashed(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size))));

    const std::unique_ptr<kvel::MappedIndexFile> file = kvel::MappedIndexFile::open(path);
    if (!file)
        return 0;
    file->verify();
    for (const QString& phrase : {u""_s, u"a"_s, u"je"_s, u"kuća"_s, u"mlijeko"_s}) {
        for (const auto language : {kvel::SearchLanguage::Both, kvel::SearchLanguage::English,
                                    kvel::SearchLanguage::Serbian}) {
            for (const auto method : {kvel::FindMethod::Begins, kvel::FindMethod::Contains,
                                      kvel::FindMethod::Ends, kvel::FindMethod::Whole}) {
                require(file->index().find(language, method, phrase, 15).size() <= 15,
                        "at most the limit");
                require(
                    file->index().findOnlyTolerant(language, method, phrase, phrase, 15).size() <=
                        15,
                    "at most the limit");
            }
        }
    }
    return 0;
}
