// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "core/content/BalloonContent.h"

#include <QPixmap>

namespace kvel {

// The image drawn at its 16 x 16 size for the screen's pixel ratio; a null
// pixmap for ImageId::None.
QPixmap balloonImage(ImageId id, qreal devicePixelRatio = 1.0);

} // namespace kvel
