// SPDX-License-Identifier: GPL-2.0-or-later
#include "lookup/index/file/IndexFileWriter.h"

#include "lookup/index/DictionaryIndex.h"
#include "lookup/index/file/IndexSections.h"

#include <QSaveFile>
#include <bit>
#include <cstddef>
#include <cstring>
#include <vector>

namespace kvel {

using namespace indexfile;

namespace {

std::uint64_t alignedUp(std::uint64_t offset)
{
    return (offset + kSectionAlignment - 1) / kSectionAlignment * kSectionAlignment;
}

template <class T> std::span<const std::uint8_t> bytesOf(const T& value)
{
    return {reinterpret_cast<const std::uint8_t*>(&value), sizeof value};
}

} // namespace

bool writeIndexFile(const DictionaryIndex& index, const QString& path, const ContentDigest& digest)
{
    // The file is the index's memory as it is: only a little-endian machine
    // lays it out as the format says.
    if constexpr (std::endian::native != std::endian::little)
        return false;
    SectionWriter sections;
    index.write(sections);
    const std::vector<PendingSection>& pending = sections.sections();

    std::vector<SectionEntry> table;
    std::uint64_t end = sizeof(Header) + pending.size() * sizeof(SectionEntry);
    for (const PendingSection& section : pending) {
        const std::uint64_t offset = alignedUp(end);
        table.push_back({section.kind, section.width, section.count, offset, section.bytes.size(),
                         hashBytes(section.bytes)});
        end = offset + section.bytes.size();
    }
    Header header = {};
    header.magic = kMagic;
    header.formatVersion = kFormatVersion;
    header.byteOrderMark = kByteOrderMark;
    header.fileSize = end;
    header.sectionCount = std::uint32_t(table.size());
    header.contentDigest = digest;
    const auto tableBytes = std::span(reinterpret_cast<const std::uint8_t*>(table.data()),
                                      table.size() * sizeof(SectionEntry));
    header.tableHash = tableHashOf(header, table);

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const auto put = [&file](std::span<const std::uint8_t> bytes) {
        return file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size())) ==
               qint64(bytes.size());
    };
    bool written = put(bytesOf(header)) && put(tableBytes);
    std::uint64_t at = sizeof(Header) + tableBytes.size();
    const std::array<std::uint8_t, kSectionAlignment> padding = {};
    for (std::size_t i = 0; i < pending.size() && written; ++i) {
        written = put(std::span(padding).first(table[i].offset - at)) && put(pending[i].bytes);
        at = table[i].offset + pending[i].bytes.size();
    }
    return written && file.commit();
}

} // namespace kvel
