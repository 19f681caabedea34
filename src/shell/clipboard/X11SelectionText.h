// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <chrono>
#include <optional>
#include <stop_token>

namespace kvel {

struct SelectionReadLimits
{
    // For the whole read, every answer of the owner included.
    std::chrono::milliseconds deadline;
    // Of the text taken, incremental transfers included; the rest is left.
    qsizetype maxBytes;
};

// Reads the plain text of the selection named `selection` (CLIPBOARD, or
// PRIMARY for the mouse selection) on a connection of its own to the X
// server `displayName` (the default display when empty). Blocks until the
// owner has answered, the deadline has passed or `stop` is asked: run it on a
// worker thread, never on the one that runs the windows.
std::optional<QString> readX11SelectionText(const QByteArray& displayName,
                                            const QByteArray& selection,
                                            const SelectionReadLimits& limits,
                                            std::stop_token stop);

} // namespace kvel
