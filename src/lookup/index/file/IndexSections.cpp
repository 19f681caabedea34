// SPDX-License-Identifier: GPL-2.0-or-later
#include "lookup/index/file/IndexSections.h"

namespace kvel::indexfile {

void SectionWriter::packed(PackedNumbers::View numbers)
{
    m_sections.push_back({SectionKind::Packed, numbers.width(), numbers.size(), numbers.bytes()});
}

void SectionWriter::scalars(std::vector<qint64> values)
{
    m_scalars.push_back(std::move(values));
    numbers(std::span<const qint64>(m_scalars.back()));
}

const SectionEntry* SectionReader::take(SectionKind kind)
{
    if (m_failed || m_next == m_table.size() || m_table[m_next].kind != kind) {
        m_failed = true;
        return nullptr;
    }
    return &m_table[m_next++];
}

PackedNumbers::View SectionReader::packed()
{
    const SectionEntry* entry = take(SectionKind::Packed);
    if (!entry)
        return {};
    const auto view = PackedNumbers::View::over({m_file + entry->offset, std::size_t(entry->bytes)},
                                                std::size_t(entry->count), entry->width);
    if (!view) {
        m_failed = true;
        return {};
    }
    return *view;
}

std::vector<qint64> SectionReader::scalars(std::size_t count)
{
    const std::span<const qint64> values = signed64();
    if (values.size() != count) {
        m_failed = true;
        return std::vector<qint64>(count, 0);
    }
    return {values.begin(), values.end()};
}

} // namespace kvel::indexfile
