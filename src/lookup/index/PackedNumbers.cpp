// SPDX-License-Identifier: GPL-2.0-or-later
#include "lookup/index/PackedNumbers.h"

#include <algorithm>

namespace kvel {

namespace {

// Beyond the last number, so that it can be read as four bytes like the others.
constexpr std::size_t kSpareBytes = sizeof(std::uint32_t) - 1;

std::uint32_t maskFor(std::uint32_t width)
{
    return std::uint32_t(~std::uint64_t(0) >> (64 - 8 * width));
}

} // namespace

std::optional<PackedNumbers::View> PackedNumbers::View::over(std::span<const std::uint8_t> bytes,
                                                             std::size_t count, std::uint32_t width)
{
    if (width < 1 || width > 4 ||
        count > (bytes.size() - std::min(bytes.size(), kSpareBytes)) / width)
        return std::nullopt;
    return View(bytes.data(), count, width, maskFor(width));
}

std::span<const std::uint8_t> PackedNumbers::View::bytes() const
{
    return {m_bytes, m_size * m_width + kSpareBytes};
}

PackedNumbers::PackedNumbers(std::uint64_t bound, std::size_t count)
{
    const auto width = std::uint32_t(widthFor(bound));
    m_bytes.assign(count * width + kSpareBytes, 0);
    m_view = View(m_bytes.data(), count, width, maskFor(width));
}

int PackedNumbers::widthFor(std::uint64_t bound)
{
    int width = 1;
    while (width < 4 && bound > (std::uint64_t(1) << (8 * width)))
        ++width;
    return width;
}

} // namespace kvel
