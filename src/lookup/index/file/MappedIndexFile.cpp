// SPDX-License-Identifier: GPL-2.0-or-later
#include "lookup/index/file/MappedIndexFile.h"

#include "lookup/index/file/IndexSections.h"
#include "lookup/index/file/MappingGuard.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstddef>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kvel {

using namespace indexfile;

class MappedIndexFile::Mapping
{
public:
    // Owns `descriptor`, the file mapped, kept open for verify().
    Mapping(void* begin, std::size_t length, int descriptor)
        : m_region{static_cast<std::uint8_t*>(begin), length, descriptor}, m_guard(begin, length)
    {}

    const std::uint8_t* begin() const { return m_region.begin; }
    std::size_t length() const { return m_region.length; }
    int descriptor() const { return m_region.descriptor; }
    const MappingGuard& guard() const { return m_guard; }

private:
    struct Region
    {
        std::uint8_t* begin;
        std::size_t length;
        int descriptor;
        ~Region()
        {
            munmap(begin, length);
            ::close(descriptor);
        }
    };
    // Unmapped after the guard stops watching, so that it never watches
    // addresses mapped anew by someone else.
    Region m_region;
    MappingGuard m_guard;
};

namespace {

// The element width a kind allows, 0 for any of a packed section's.
std::uint32_t widthOf(SectionKind kind)
{
    switch (kind) {
    case SectionKind::Units16:
        return 2;
    case SectionKind::Numbers32:
        return 4;
    case SectionKind::Numbers64:
    case SectionKind::Signed64:
        return 8;
    case SectionKind::Bytes:
        return 1;
    case SectionKind::Packed:
        return 0;
    }
    return UINT32_MAX;
}

// Inside the file after the table, aligned, and as long as its count says.
bool isSound(const SectionEntry& entry, std::uint64_t tableEnd, std::uint64_t fileSize)
{
    const std::uint32_t width = widthOf(entry.kind);
    if (width == UINT32_MAX ||
        (width == 0 ? entry.width < 1 || entry.width > 4 : entry.width != width))
        return false;
    const std::uint64_t spare = entry.kind == SectionKind::Packed ? 3 : 0;
    if (entry.count > (UINT64_MAX - spare) / entry.width ||
        entry.bytes != entry.count * entry.width + spare)
        return false;
    return entry.offset % kSectionAlignment == 0 && entry.offset >= tableEnd &&
           entry.offset <= fileSize && entry.bytes <= fileSize - entry.offset;
}

// Copied out of the mapping, so that a file rewritten while mapped cannot
// change what was checked.
bool readHeader(const std::uint8_t* file, std::size_t size, Header& header,
                std::vector<SectionEntry>& table)
{
    if (size < sizeof(Header))
        return false;
    std::memcpy(&header, file, sizeof header);
    if (header.magic != kMagic || header.formatVersion != kFormatVersion ||
        header.byteOrderMark != kByteOrderMark || header.fileSize != size ||
        header.sectionCount > kMaxSections)
        return false;
    const std::uint64_t tableEnd = sizeof(Header) + header.sectionCount * sizeof(SectionEntry);
    if (tableEnd > size)
        return false;
    table.resize(header.sectionCount);
    if (!table.empty())
        std::memcpy(table.data(), file + sizeof(Header), table.size() * sizeof(SectionEntry));
    if (tableHashOf(header, table) != header.tableHash)
        return false;
    return std::all_of(table.begin(), table.end(),
                       [&](const SectionEntry& entry) { return isSound(entry, tableEnd, size); });
}

} // namespace

std::unique_ptr<MappedIndexFile> MappedIndexFile::open(const QString& path)
{
    // The numbers are used where they lie: only a little-endian machine reads them so.
    if constexpr (std::endian::native != std::endian::little)
        return nullptr;
    // Without blocking, so that a FIFO put in the file's place cannot hold the thread.
    const int descriptor = openForReadingWithoutBlocking(path);
    if (descriptor < 0)
        return nullptr;
    struct stat status = {};
    void* begin = MAP_FAILED;
    if (fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode) &&
        std::uint64_t(status.st_size) >= sizeof(Header) && status.st_size <= PTRDIFF_MAX)
        begin = mmap(nullptr, std::size_t(status.st_size), PROT_READ, MAP_SHARED, descriptor, 0);
    if (begin == MAP_FAILED) {
        ::close(descriptor);
        return nullptr;
    }
    auto mapping = std::make_shared<const Mapping>(begin, std::size_t(status.st_size), descriptor);
    if (!mapping->guard().watching())
        return nullptr;

    std::unique_ptr<MappedIndexFile> file(new MappedIndexFile);
    Header header = {};
    if (!readHeader(mapping->begin(), mapping->length(), header, file->m_table))
        return nullptr;
    file->m_digest = header.contentDigest;
    SectionReader sections(file->m_table, mapping->begin());
    file->m_index = DictionaryIndex::read(sections, mapping);
    if (!file->m_index)
        return nullptr;
    file->m_mapping = std::move(mapping);
    return file;
}

MappedIndexFile::~MappedIndexFile() = default;

bool MappedIndexFile::verify() const
{
    // Read through a small buffer rather than the mapping, so that the pages
    // checked do not stay in this process's resident memory.
    const int descriptor = m_mapping->descriptor();
    posix_fadvise(descriptor, 0, 0, POSIX_FADV_SEQUENTIAL);
    std::vector<std::uint8_t> buffer(std::size_t(1) << 20);
    for (const SectionEntry& entry : m_table) {
        BytesHash hash;
        for (std::uint64_t at = entry.offset, end = entry.offset + entry.bytes; at < end;) {
            const ssize_t read =
                ::pread(descriptor, buffer.data(),
                        std::size_t(std::min<std::uint64_t>(end - at, buffer.size())), off_t(at));
            if (read < 0 && errno == EINTR)
                continue;
            if (read <= 0)
                return false; // truncated or unreadable
            hash.add(std::span(buffer.data(), std::size_t(read)));
            at += std::uint64_t(read);
        }
        if (hash.result() != entry.hash)
            return false;
    }
    return !lost();
}

FileIdentity MappedIndexFile::identity() const
{
    return FileIdentity::ofDescriptor(m_mapping->descriptor());
}

bool MappedIndexFile::lost() const
{
    return m_mapping->guard().lost();
}

} // namespace kvel
