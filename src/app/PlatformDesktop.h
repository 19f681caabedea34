// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "shell/desktop/DesktopServices.h"

namespace kvel {

// The desktop services of this session: X11 (also through XWayland), Wayland
// where its portal or data control stands in, or none (offscreen), where
// nothing is caught, grabbed or switched.
DesktopServices platformDesktop();

} // namespace kvel
