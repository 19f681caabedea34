// SPDX-License-Identifier: GPL-2.0-or-later
#include "phrasebar/BarGeometry.h"

#include <algorithm>

namespace kvel {

QPoint movedBar(QPoint topLeft, QSize bar, const QRect& screen, BarCommand move)
{
    const int left = screen.left();
    const int top = screen.top();
    const int right = screen.left() + screen.width() - bar.width();
    const int bottom = screen.top() + screen.height() - bar.height();
    QPoint p = topLeft;
    switch (move) {
    case BarCommand::StepUp:
        p.setY(std::max(p.y() - kBarStep, top));
        break;
    case BarCommand::StepDown:
        p.setY(std::min(p.y() + kBarStep, bottom));
        break;
    case BarCommand::StepLeft:
        p.setX(std::max(p.x() - kBarStep, left));
        break;
    case BarCommand::StepRight:
        p.setX(std::min(p.x() + kBarStep, right));
        break;
    case BarCommand::EdgeTop:
        p.setY(top);
        break;
    case BarCommand::EdgeBottom:
        p.setY(bottom);
        break;
    case BarCommand::EdgeLeft:
        p.setX(left);
        break;
    case BarCommand::EdgeRight:
        p.setX(right);
        break;
    default:
        break;
    }
    return p;
}

QPoint clampedToScreen(QPoint topLeft, QSize bar, const QRect& screen)
{
    const int right = screen.left() + screen.width() - bar.width();
    const int bottom = screen.top() + screen.height() - bar.height();
    // The lower bound wins on a screen smaller than the bar.
    return {std::max(std::min(topLeft.x(), right), screen.left()),
            std::max(std::min(topLeft.y(), bottom), screen.top())};
}

} // namespace kvel
