// SPDX-License-Identifier: GPL-2.0-or-later
#include "lookup/index/PackedNumbers.h"

namespace kvel {

namespace {

// Beyond the last number, so that it can be read as four bytes like the others.
constexpr std::size_t kSpareBytes = sizeof(std::uint32_t) - 1;

} // namespace

PackedNumbers::PackedNumbers(std::uint64_t bound, std::size_t count)
    : m_size(count), m_width(std::uint32_t(widthFor(bound))),
      m_mask(std::uint32_t(~std::uint64_t(0) >> (64 - 8 * m_width))),
      m_bytes(count * m_width + kSpareBytes, 0)
{}

int PackedNumbers::widthFor(std::uint64_t bound)
{
    int width = 1;
    while (width < 4 && bound > (std::uint64_t(1) << (8 * width)))
        ++width;
    return width;
}

} // namespace kvel
