// SPDX-License-Identifier: GPL-2.0-or-later
#include "phrasebar/BarDragging.h"

#include "phrasebar/BarGeometry.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QWidget>

namespace kvel {

QRect availableScreen(const QWidget& window)
{
    const QScreen* current = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    return current ? current->availableGeometry() : QRect(0, 0, 1024, 768);
}

BarDragging::BarDragging(QWidget& bar) : QObject(&bar), m_bar(bar)
{
    bar.installEventFilter(this);
}

void BarDragging::addHandle(QWidget* handle)
{
    handle->installEventFilter(this);
}

bool BarDragging::eventFilter(QObject*, QEvent* event)
{
    const auto* mouse = dynamic_cast<QMouseEvent*>(event); // null for other events
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (mouse->button() == Qt::LeftButton) {
            m_dragging = true;
            m_offset = mouse->globalPosition().toPoint() - m_bar.pos();
        }
        break;
    case QEvent::MouseMove:
        if (m_dragging)
            m_bar.move(mouse->globalPosition().toPoint() - m_offset);
        break;
    case QEvent::MouseButtonRelease:
        if (m_dragging && mouse->button() == Qt::LeftButton) {
            m_dragging = false;
            m_bar.move(clampedToScreen(m_bar.pos(), m_bar.size(), availableScreen(m_bar)));
            emit dropped();
        }
        break;
    default:
        break;
    }
    return false;
}

} // namespace kvel
