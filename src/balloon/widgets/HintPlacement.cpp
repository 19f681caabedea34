// SPDX-License-Identifier: GPL-2.0-or-later
#include "balloon/widgets/HintPlacement.h"

#include <algorithm>

namespace kvel {

QRect hintGeometry(const QPoint& below, int pointerY, const QSize& size, const QRect& screen)
{
    const int width = std::min(size.width(), screen.width());
    const int height = std::min(size.height(), screen.height());
    const int right = screen.x() + screen.width();
    const int bottom = screen.y() + screen.height();

    int top = below.y();
    if (top + height > bottom) {
        // Above the pointer if it fits there, else as low as the screen allows.
        const int above = pointerY - (below.y() - pointerY) - height;
        top = above >= screen.y() ? above : bottom - height;
    }
    const int left = std::clamp(below.x(), screen.x(), right - width);
    top = std::clamp(top, screen.y(), bottom - height);
    return {left, top, width, height};
}

} // namespace kvel
