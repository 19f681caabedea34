// SPDX-License-Identifier: GPL-2.0-or-later
// Checks a screenshot of the translation window: usage
// balloon_shot_check <png> <placement> <x> <y> <width> <height>.
// The balloon must show red and blue heads on its cream body, its grey
// outline, and nothing of itself outside its outline.

#include "balloon/widgets/BalloonPlacement.h"

#include <QImage>
#include <iostream>

using namespace kvel;

namespace {

const QColor kCream(255, 251, 240);
const QColor kOutline(128, 128, 128);

int failures = 0;

void expect(bool ok, const std::string& what)
{
    if (!ok) {
        std::cerr << "FAIL: " << what << '\n';
        ++failures;
    }
}

// Whether any pixel within one pixel of p has the colour.
bool colourNear(const QImage& image, QPoint p, const QColor& colour)
{
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            const QPoint q = p + QPoint(dx, dy);
            if (image.valid(q) && image.pixelColor(q) == colour)
                return true;
        }
    }
    return false;
}

// Whether p lies at least two pixels away from the polygon's outline.
bool clearlyOutside(const QPolygon& polygon, QPoint p)
{
    for (int dy = -2; dy <= 2; ++dy) {
        for (int dx = -2; dx <= 2; ++dx) {
            if (polygon.containsPoint(p + QPoint(dx, dy), Qt::OddEvenFill))
                return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 7) {
        std::cerr << "usage: balloon_shot_check png placement x y width height\n";
        return 2;
    }
    const QImage shot =
        QImage(QString::fromLocal8Bit(argv[1])).convertToFormat(QImage::Format_RGB32);
    const int placement = std::atoi(argv[2]);
    const QRect window(std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]),
                       std::atoi(argv[6]));
    if (shot.isNull() || !shot.rect().contains(window)) {
        std::cerr << "FAIL: no screenshot, or the window is not on it\n";
        return 1;
    }
    const QImage balloon = shot.copy(window);
    const QPolygon region = regionPoints(placement, window.size());
    const QPolygon border = borderPoints(placement, window.size());

    int red = 0, blue = 0, cream = 0, inside = 0, leaked = 0;
    for (int y = 0; y < balloon.height(); ++y) {
        for (int x = 0; x < balloon.width(); ++x) {
            const QColor colour = balloon.pixelColor(x, y);
            if (region.containsPoint(QPoint(x, y), Qt::OddEvenFill)) {
                ++inside;
                red += colour == QColor(255, 0, 0);
                blue += colour == QColor(0, 0, 255);
                cream += colour == kCream;
            } else if (clearlyOutside(region, QPoint(x, y))) {
                // The root window is black: anything else there is the balloon's.
                leaked += colour != QColor(0, 0, 0);
            }
        }
    }
    expect(red > 20, "red English heads");
    expect(blue > 10, "blue Serbian head");
    expect(cream * 2 > inside, "a cream body");
    expect(leaked == 0, std::to_string(leaked) + " pixels outside the outline");

    for (int i = 0; i + 1 < border.size(); ++i) {
        const QPoint middle = (border[i] + border[i + 1]) / 2;
        expect(colourNear(balloon, middle, kOutline), "grey outline near (" +
                                                          std::to_string(middle.x()) + ", " +
                                                          std::to_string(middle.y()) + ")");
    }

    std::cout << argv[1] << ": placement " << placement << ", " << red << " red, " << blue
              << " blue, " << leaked << " outside, " << failures << " failures\n";
    return failures == 0 ? 0 : 1;
}
