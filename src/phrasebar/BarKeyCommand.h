// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "phrasebar/BarCommand.h"

#include <Qt>

namespace kvel {

// Alt with a key means Alt is held (Shift and Ctrl may be too); the arrows
// move in steps with Ctrl+Alt and to the screen's edges with Alt alone.
BarCommand barKeyCommand(int key, Qt::KeyboardModifiers modifiers);

} // namespace kvel
