// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/hotkey/KeyRepeatFilter.h"

namespace kvel {

bool KeyRepeatFilter::press(std::uint32_t time)
{
    const bool repeat = m_down || m_releaseTime == time;
    m_down = true;
    m_releaseTime.reset();
    return !repeat;
}

void KeyRepeatFilter::release(std::uint32_t time)
{
    m_down = false;
    m_releaseTime = time;
}

void KeyRepeatFilter::reset()
{
    m_down = false;
    m_releaseTime.reset();
}

} // namespace kvel
