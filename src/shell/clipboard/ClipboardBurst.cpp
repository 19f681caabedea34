// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/clipboard/ClipboardBurst.h"

namespace kvel {

ClipboardBurst::ClipboardBurst(std::chrono::milliseconds quiet, QObject* parent) : QObject(parent)
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(quiet);
    connect(&m_timer, &QTimer::timeout, this, [this] { emit settled(std::exchange(m_last, {})); });
}

void ClipboardBurst::add(const QString& text)
{
    m_last = text;
    m_timer.start();
}

void ClipboardBurst::clear()
{
    m_timer.stop();
    m_last.clear();
}

} // namespace kvel
