// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QPixmap>

namespace kvel {

// The translation window's 16 x 16 images, by resource id.
namespace BalloonImage {
inline constexpr int HelpFile = 31005;
inline constexpr int Tip = 31006;
inline constexpr int About = 31007;
inline constexpr int Locked = 31008;
inline constexpr int Unlocked = 31009;
inline constexpr int Keyboard = 31010;
inline constexpr int Donations = 31011;
} // namespace BalloonImage

// The image drawn at its 16 x 16 size for the screen's pixel ratio; a null
// pixmap for an id without an image.
QPixmap balloonImage(int id, qreal devicePixelRatio = 1.0);

} // namespace kvel
