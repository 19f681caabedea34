// SPDX-License-Identifier: GPL-2.0-or-later
#include "balloon/widgets/BalloonImages.h"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>

using namespace Qt::StringLiterals;

namespace kvel {

QPixmap balloonImage(ImageId id, qreal devicePixelRatio)
{
    const QString path = u":/kvel/images/%1.svg"_s.arg(int(id));
    if (!QFile::exists(path))
        return {};
    QSvgRenderer renderer(path);
    QPixmap pixmap(QSize(16, 16) * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter, QRectF(0, 0, 16, 16));
    return pixmap;
}

} // namespace kvel
