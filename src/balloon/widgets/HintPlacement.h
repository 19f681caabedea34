// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace kvel {

// Where a hint of `size` goes on `screen`: its top-left corner at `below` (a
// little below the pointer, whose screen row is pointerY) when it fits; moved
// left where it would run past the right edge; above the pointer, as far
// above as `below` is under it, where it would run past the bottom (or on
// the bottom when there is no room above either). It never leaves the screen
// and is never larger than it.
QRect hintGeometry(const QPoint& below, int pointerY, const QSize& size, const QRect& screen);

} // namespace kvel
