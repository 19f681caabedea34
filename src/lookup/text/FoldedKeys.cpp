// SPDX-License-Identifier: GPL-2.0-or-later
#include "lookup/text/FoldedKeys.h"

namespace kvel {

FoldedKeys::FoldedKeys(std::span<const char16_t> text, std::span<const std::uint32_t> ends)
    : m_textView(text), m_endsView(ends)
{}

void FoldedKeys::append(QStringView foldedKey)
{
    m_text.insert(m_text.end(), foldedKey.utf16(), foldedKey.utf16() + foldedKey.size());
    m_ends.push_back(std::uint32_t(m_text.size()));
    viewOwnBuffers();
}

void FoldedKeys::reserve(std::size_t keys, std::size_t units)
{
    m_text.reserve(units);
    m_ends.reserve(keys);
    viewOwnBuffers();
}

void FoldedKeys::shrink()
{
    m_text.shrink_to_fit();
    m_ends.shrink_to_fit();
    viewOwnBuffers();
}

void FoldedKeys::viewOwnBuffers()
{
    m_textView = m_text;
    m_endsView = m_ends;
}

std::size_t FoldedKeys::memoryBytes() const
{
    return m_text.capacity() * sizeof(char16_t) + m_ends.capacity() * sizeof(std::uint32_t);
}

} // namespace kvel
