// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/drop/TGenericVCLDropTarget.h"

#include <QDragEnterEvent>
#include <QWidget>

namespace kvel {

TGenericVCLDropTarget::TGenericVCLDropTarget(QObject* parent) : QObject(parent) {}

TGenericVCLDropTarget::~TGenericVCLDropTarget()
{
    revoke();
}

void TGenericVCLDropTarget::revoke()
{
    if (!m_target)
        return;
    m_target->removeEventFilter(this);
    m_target->setAcceptDrops(m_targetAcceptedDrops);
    m_target = nullptr;
}

void TGenericVCLDropTarget::SetDropTarget(QWidget* control)
{
    revoke();
    m_target = control;
    if (!m_target)
        return;
    m_targetAcceptedDrops = m_target->acceptDrops();
    m_target->setAcceptDrops(true);
    m_target->installEventFilter(this);
}

bool TGenericVCLDropTarget::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_target)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::DragEnter:
        DragEnter(static_cast<QDragEnterEvent*>(event));
        return true;
    case QEvent::DragMove:
        DragOver(static_cast<QDragMoveEvent*>(event));
        return true;
    case QEvent::DragLeave:
        return true; // nothing was marked on the widget to take back
    case QEvent::Drop:
        Drop(static_cast<QDropEvent*>(event));
        return true;
    default:
        return QObject::eventFilter(watched, event);
    }
}

} // namespace kvel
