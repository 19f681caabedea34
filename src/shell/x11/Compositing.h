// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

namespace kvel {

// True when a compositing manager runs on the X display, the only case in
// which window opacity shows. False on any other platform.
bool compositingManagerRunning();

} // namespace kvel
