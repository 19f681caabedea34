// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QStringView>
#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

namespace kvel {

// The case-folded headwords of one language, packed into one UTF-16 buffer in
// the table's stored order: a million headwords cost their text plus 4 bytes.
// The buffers are either its own or borrowed from a mapped index file.
class FoldedKeys
{
public:
    FoldedKeys() = default;
    // Keys over buffers owned elsewhere, which must outlive them; the ends
    // may be anything, as a damaged file gives them.
    FoldedKeys(std::span<const char16_t> text, std::span<const std::uint32_t> ends);
    FoldedKeys(FoldedKeys&&) = default;
    FoldedKeys& operator=(FoldedKeys&&) = default;

    void append(QStringView foldedKey);
    // Room for `keys` keys of `units` UTF-16 units in all, so that a known
    // size is reached without growing past it.
    void reserve(std::size_t keys, std::size_t units);
    // Drops the spare capacity left by growing.
    void shrink();

    std::uint32_t size() const { return std::uint32_t(m_endsView.size()); }
    // Empty for a key beyond the last: key numbers may come from a file.
    QStringView operator[](std::uint32_t key) const
    {
        if (key >= m_endsView.size())
            return {};
        const std::size_t end = std::min<std::size_t>(m_endsView[key], m_textView.size());
        const std::size_t begin = key == 0 ? 0 : std::min<std::size_t>(m_endsView[key - 1], end);
        return QStringView(m_textView.data() + begin, qsizetype(end - begin));
    }
    std::span<const char16_t> text() const { return m_textView; }
    std::span<const std::uint32_t> ends() const { return m_endsView; }
    std::size_t memoryBytes() const;

private:
    void viewOwnBuffers();

    std::vector<char16_t> m_text;
    std::vector<std::uint32_t> m_ends;
    // A moved vector keeps its buffer, so these stay right when moved.
    std::span<const char16_t> m_textView;
    std::span<const std::uint32_t> m_endsView;
};

} // namespace kvel
