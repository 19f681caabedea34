// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QPoint>
#include <QPolygon>
#include <QRect>
#include <QSize>
#include <array>
#include <optional>

namespace kvel {

// The balloon is a body with a 30 x 30 tail above or below it. Placements:
// 1 above the bar, right edges aligned; 2 above, left edges aligned;
// 3 below, right edges aligned; 4 below, left edges aligned.
inline constexpr int kTailSize = 30;
inline constexpr int kMinTextWidth = 220;
inline constexpr int kPanelLeft = 4;

struct BalloonSize
{
    int windowWidth = 0;
    int windowHeight = 0;
    int panelWidth = 0;
    int panelHeight = 0;

    bool operator==(const BalloonSize&) const = default;
};

// The tallest window that still fits below a bar in the screen's top-left
// corner, so that some placement always accepts the balloon; taller text
// scrolls inside the view.
int maxWindowHeight(const QRect& screen, int anchorHeight);

// The tallest window that a placement beside the bar where it is can hold:
// the room above or below it on a side where a window windowWidth wide fits
// one of the two alignments. Text taller than that scrolls, and the bar stays
// where the user put it. Only when no placement there holds a balloon with
// one line of lineHeight pixels is it maxWindowHeight (the bar then moves).
int windowHeightLimit(const QRect& anchor, int windowWidth, const QRect& screen, int lineHeight);

// Whether a text of that height is cut by the largest balloon and must
// scroll inside it.
bool scrollsVertically(int textHeight, int maxHeight);

// The widest text a balloon on a screen that wide shows; a wider line wraps.
int widestText(int screenWidth);

// Window and body sizes for a text textWidth x textHeight pixels large.
BalloonSize balloonSize(int textWidth, int textHeight, int screenWidth, int maxHeight);

// The placements in the order they are tried, chosen by the quarter of the
// screen that holds the bar's centre (the centre lines count as right and lower).
std::array<int, 4> placementOrder(const QRect& anchor, const QRect& screen);

// Where placement puts the window's top-left corner, or nullopt when the
// window would leave the screen there.
std::optional<QPoint> placementPosition(int placement, const QRect& anchor, const QSize& window,
                                        const QRect& screen);

// The body's top inside the window: under the tail for placements 3 and 4.
int panelTop(int placement);

struct BalloonPlacement
{
    int placement = 4;
    QPoint windowPos;
    // Set when no placement fitted beside the bar where it is, so the bar
    // moves to the screen's top-left corner and the balloon follows it.
    std::optional<QPoint> barMovedTo;

    bool operator==(const BalloonPlacement&) const = default;
};

// The first placement that fits; when none fits the bar moves to the screen's
// corner and the choice is made again. Always ends, even on a screen too small
// for the balloon (it then opens below the corner).
BalloonPlacement choosePlacement(const QRect& anchor, const QSize& window, const QRect& screen);

// The window's visible shape and the grey outline drawn inside it, in window pixels.
QPolygon regionPoints(int placement, const QSize& window);
QPolygon borderPoints(int placement, const QSize& window);

} // namespace kvel
