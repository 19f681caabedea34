// SPDX-License-Identifier: GPL-2.0-or-later
#include "lookup/text/FoldedKeys.h"

namespace kvel {

void FoldedKeys::append(QStringView foldedKey)
{
    m_text.insert(m_text.end(), foldedKey.utf16(), foldedKey.utf16() + foldedKey.size());
    m_ends.push_back(std::uint32_t(m_text.size()));
}

void FoldedKeys::reserve(std::size_t keys, std::size_t units)
{
    m_text.reserve(units);
    m_ends.reserve(keys);
}

void FoldedKeys::shrink()
{
    m_text.shrink_to_fit();
    m_ends.shrink_to_fit();
}

std::size_t FoldedKeys::memoryBytes() const
{
    return m_text.capacity() * sizeof(char16_t) + m_ends.capacity() * sizeof(std::uint32_t);
}

} // namespace kvel
