// SPDX-License-Identifier: GPL-2.0-or-later
#include "balloon/widgets/BalloonPlacement.h"

#include <algorithm>

namespace kvel {

namespace {

// The window is this much wider than the text and taller than its last line's bottom.
constexpr int kWindowExtraWidth = 8;
constexpr int kWindowExtraHeight = 61;
// The body is 2 px wider than the text and 32 px lower than the window (tail and margins).
constexpr int kPanelExtraWidth = 2;
constexpr int kPanelShorterThanWindow = 32;

} // namespace

int maxWindowHeight(const QRect& screen, int anchorHeight)
{
    return std::max(kWindowExtraHeight, screen.height() - anchorHeight);
}

int windowHeightLimit(const QRect& anchor, int windowWidth, const QRect& screen, int lineHeight)
{
    const bool rightAlignedFits = anchor.x() + anchor.width() - windowWidth >= screen.x();
    const bool leftAlignedFits = anchor.x() + windowWidth <= screen.x() + screen.width();
    int room = -1;
    if (rightAlignedFits || leftAlignedFits) {
        // The window keeps one pixel between itself and a bar below it.
        const int above = anchor.y() - 1 - screen.y();
        const int below = screen.y() + screen.height() - (anchor.y() + anchor.height());
        room = std::max(above, below);
    }
    const int corner = maxWindowHeight(screen, anchor.height());
    return room >= kWindowExtraHeight + lineHeight ? std::min(room, corner) : corner;
}

bool scrollsVertically(int textHeight, int maxHeight)
{
    return textHeight + kWindowExtraHeight > maxHeight;
}

int widestText(int screenWidth)
{
    return screenWidth - kWindowExtraWidth;
}

BalloonSize balloonSize(int textWidth, int textHeight, int screenWidth, int maxHeight)
{
    int width = textWidth;
    if (width > screenWidth - kWindowExtraWidth)
        width = screenWidth - kWindowExtraWidth;
    else if (width < kMinTextWidth)
        width = kMinTextWidth;

    const int height = std::min(textHeight + kWindowExtraHeight, maxHeight);
    return {width + kWindowExtraWidth, height, width + kPanelExtraWidth,
            height - kPanelShorterThanWindow};
}

std::array<int, 4> placementOrder(const QRect& anchor, const QRect& screen)
{
    const bool right = anchor.x() + anchor.width() / 2 >= screen.x() + screen.width() / 2;
    const bool lower = anchor.y() + anchor.height() / 2 >= screen.y() + screen.height() / 2;
    if (lower)
        return right ? std::array{4, 2, 3, 1} : std::array{3, 1, 4, 2};
    return right ? std::array{2, 4, 1, 3} : std::array{1, 3, 2, 4};
}

std::optional<QPoint> placementPosition(int placement, const QRect& anchor, const QSize& window,
                                        const QRect& screen)
{
    const bool above = placement == 1 || placement == 2;
    const bool rightAligned = placement == 1 || placement == 3;
    const int left = rightAligned ? anchor.x() + anchor.width() - window.width() : anchor.x();
    const int top = above ? anchor.y() - window.height() - 1 : anchor.y() + anchor.height();

    // Only the sides the placement can cross are checked, as the bar itself may
    // hang over the other ones.
    const bool fitsHorizontally =
        rightAligned ? left >= screen.x() : left + window.width() <= screen.x() + screen.width();
    const bool fitsVertically =
        above ? top >= screen.y() : top + window.height() <= screen.y() + screen.height();
    if (!fitsHorizontally || !fitsVertically)
        return std::nullopt;
    return QPoint(left, top);
}

int panelTop(int placement)
{
    return placement == 1 || placement == 2 ? 1 : kTailSize + 1;
}

BalloonPlacement choosePlacement(const QRect& anchor, const QSize& window, const QRect& screen)
{
    for (int placement : placementOrder(anchor, screen)) {
        if (auto pos = placementPosition(placement, anchor, window, screen))
            return {placement, *pos, std::nullopt};
    }

    const QRect moved(screen.topLeft(), anchor.size());
    for (int placement : placementOrder(moved, screen)) {
        if (auto pos = placementPosition(placement, moved, window, screen))
            return {placement, *pos, moved.topLeft()};
    }
    return {4, QPoint(moved.x(), moved.bottom() + 1), moved.topLeft()};
}

QPolygon regionPoints(int placement, const QSize& window)
{
    const int w = window.width();
    const int h = window.height();
    const int t = kTailSize;
    switch (placement) {
    case 1:
        return {{{0, 0},
                 {w, 0},
                 {w, h - t},
                 {w - t, h - t},
                 {w - t, h},
                 {w - 2 * t, h - t},
                 {0, h - t},
                 {0, 0}}};
    case 2:
        return {
            {{0, 0}, {w, 0}, {w, h - t}, {2 * t, h - t}, {t, h}, {t, h - t}, {0, h - t}, {0, 0}}};
    case 3:
        return {{{0, t}, {w - 2 * t, t}, {w - t, 0}, {w - t, t}, {w, t}, {w, h}, {0, h}, {0, t}}};
    default:
        return {{{0, t}, {t, t}, {t, 0}, {2 * t, t}, {w, t}, {w, h}, {0, h}, {0, t}}};
    }
}

QPolygon borderPoints(int placement, const QSize& window)
{
    const int w = window.width();
    const int h = window.height();
    const int t = kTailSize;
    switch (placement) {
    case 1:
        return {{{0, 0},
                 {w - 1, 0},
                 {w - 1, h - t - 1},
                 {w - t - 1, h - t - 1},
                 {w - t - 1, h - 1},
                 {w - 2 * t - 1, h - t - 1},
                 {0, h - t - 1},
                 {0, 0}}};
    case 2:
        return {{{0, 0},
                 {w - 1, 0},
                 {w - 1, h - t - 1},
                 {2 * t, h - t - 1},
                 {t, h - 1},
                 {t, h - t - 1},
                 {0, h - t - 1},
                 {0, 0}}};
    case 3:
        return {{{0, t},
                 {w - 2 * t, t},
                 {w - t - 1, 1},
                 {w - t - 1, t},
                 {w - 1, t},
                 {w - 1, h - 1},
                 {0, h - 1},
                 {0, t}}};
    default:
        return {{{0, t},
                 {t, t},
                 {t, 1},
                 {2 * t - 1, t},
                 {w - 1, t},
                 {w - 1, h - 1},
                 {0, h - 1},
                 {0, t}}};
    }
}

} // namespace kvel
