// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "lookup/index/PackedNumbers.h"
#include "lookup/index/file/IndexFileFormat.h"

#include <QtGlobal>
#include <cstdint>
#include <deque>
#include <span>
#include <vector>

namespace kvel::indexfile {

// A section to be written: its bytes stay where the index keeps them.
struct PendingSection
{
    SectionKind kind;
    std::uint32_t width;
    std::uint64_t count;
    std::span<const std::uint8_t> bytes;
};

// Collects the sections of an index in the order its parts write them; the
// index must live until they are written.
class SectionWriter
{
public:
    void units(std::span<const char16_t> units) { add(SectionKind::Units16, units); }
    void numbers(std::span<const std::uint32_t> numbers) { add(SectionKind::Numbers32, numbers); }
    void numbers(std::span<const std::uint64_t> numbers) { add(SectionKind::Numbers64, numbers); }
    void numbers(std::span<const qint64> numbers) { add(SectionKind::Signed64, numbers); }
    void packed(PackedNumbers::View numbers);
    void bytes(std::span<const std::uint8_t> bytes) { add(SectionKind::Bytes, bytes); }
    // A few numbers that tell how to read the sections after them, copied.
    void scalars(std::vector<qint64> values);

    const std::vector<PendingSection>& sections() const { return m_sections; }

private:
    template <class T> void add(SectionKind kind, std::span<const T> elements)
    {
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(elements.data());
        m_sections.push_back({kind, std::uint32_t(sizeof(T)), elements.size(),
                              std::span(bytes, elements.size_bytes())});
    }

    std::vector<PendingSection> m_sections;
    std::deque<std::vector<qint64>> m_scalars; // a deque keeps them in place
};

// Hands out the sections of a mapped file in the order they were written.
// The table was checked at opening: every section lies inside the file,
// aligned, its size that of its count. A section of another kind than asked
// for makes the reader fail, and it then hands out nothing more.
class SectionReader
{
public:
    SectionReader(std::span<const SectionEntry> table, const std::uint8_t* file)
        : m_table(table), m_file(file)
    {}

    std::span<const char16_t> units() { return next<char16_t>(SectionKind::Units16); }
    std::span<const std::uint32_t> numbers32()
    {
        return next<std::uint32_t>(SectionKind::Numbers32);
    }
    std::span<const std::uint64_t> numbers64()
    {
        return next<std::uint64_t>(SectionKind::Numbers64);
    }
    std::span<const qint64> signed64() { return next<qint64>(SectionKind::Signed64); }
    std::span<const std::uint8_t> bytes() { return next<std::uint8_t>(SectionKind::Bytes); }
    PackedNumbers::View packed();
    // Exactly `count` scalars, copied; zeros if the section has another
    // count, and the reader fails.
    std::vector<qint64> scalars(std::size_t count);

    // Makes the reader fail, for a section whose content contradicts another.
    void refuse() { m_failed = true; }
    bool failed() const { return m_failed; }
    bool atEnd() const { return m_next == m_table.size(); }

private:
    const SectionEntry* take(SectionKind kind);
    template <class T> std::span<const T> next(SectionKind kind)
    {
        const SectionEntry* entry = take(kind);
        if (!entry || entry->width != sizeof(T)) {
            m_failed = true;
            return {};
        }
        return {reinterpret_cast<const T*>(m_file + entry->offset), std::size_t(entry->count)};
    }

    std::span<const SectionEntry> m_table;
    const std::uint8_t* m_file;
    std::size_t m_next = 0;
    bool m_failed = false;
};

} // namespace kvel::indexfile
