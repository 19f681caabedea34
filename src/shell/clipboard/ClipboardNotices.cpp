// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/clipboard/ClipboardNotices.h"

#include <algorithm>

namespace kvel {

ClipboardNotices::ClipboardNotices(std::chrono::milliseconds quiet,
                                   std::chrono::milliseconds longest, QObject* parent)
    : QObject(parent), m_quiet(quiet), m_longest(std::max(quiet, longest))
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &ClipboardNotices::settle);
}

void ClipboardNotices::notice()
{
    if (!m_timer.isActive())
        m_sinceFirst.start();
    // Each notice moves the moment on, but never past the run's latest one.
    const auto left = m_longest - std::chrono::milliseconds(m_sinceFirst.elapsed());
    m_timer.start(std::clamp(left, std::chrono::milliseconds(0), m_quiet));
}

void ClipboardNotices::clear()
{
    m_timer.stop();
}

void ClipboardNotices::settle()
{
    emit settled();
}

} // namespace kvel
