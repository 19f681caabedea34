// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QStringView>
#include <cstdint>
#include <vector>

namespace kvel {

// The case-folded headwords of one language, packed into one UTF-16 buffer in
// the table's stored order: a million headwords cost their text plus 4 bytes.
class FoldedKeys
{
public:
    void append(QStringView foldedKey);
    // Room for `keys` keys of `units` UTF-16 units in all, so that a known
    // size is reached without growing past it.
    void reserve(std::size_t keys, std::size_t units);
    // Drops the spare capacity left by growing.
    void shrink();

    std::uint32_t size() const { return std::uint32_t(m_ends.size()); }
    QStringView operator[](std::uint32_t key) const
    {
        const std::uint32_t begin = key == 0 ? 0 : m_ends[key - 1];
        return QStringView(m_text.data() + begin, qsizetype(m_ends[key] - begin));
    }
    std::size_t memoryBytes() const;

private:
    std::vector<char16_t> m_text;
    std::vector<std::uint32_t> m_ends;
};

} // namespace kvel
