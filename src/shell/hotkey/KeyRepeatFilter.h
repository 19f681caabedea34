// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdint>
#include <optional>

namespace kvel {

// Tells a fresh press of the hot key from the presses auto-repeat makes while
// it is held, so one press toggles the bar once. X servers repeat either as
// presses without releases (detectable auto-repeat) or as release/press pairs
// sharing one timestamp.
class KeyRepeatFilter
{
public:
    // True for a fresh press, false for a repeat.
    bool press(std::uint32_t time);
    void release(std::uint32_t time);
    void reset();

private:
    bool m_down = false;
    std::optional<std::uint32_t> m_releaseTime;
};

} // namespace kvel
