// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "phrasebar/BarCommand.h"

#include <QPoint>
#include <QRect>
#include <QSize>

namespace kvel {

// How far Ctrl+Alt+arrow moves the bar.
inline constexpr int kBarStep = 40;
inline constexpr QSize kBarSize{153, 20};

// The bar's new top-left corner after a move command, inside `screen` (the
// available geometry of the screen that holds the bar).
QPoint movedBar(QPoint topLeft, QSize bar, const QRect& screen, BarCommand move);

// Puts a bar that was dragged or placed partly off the screen back onto it.
QPoint clampedToScreen(QPoint topLeft, QSize bar, const QRect& screen);

} // namespace kvel
