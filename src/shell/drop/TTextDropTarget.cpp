// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/drop/TTextDropTarget.h"

#include <QDragEnterEvent>
#include <QMimeData>
#include <QWidget>

namespace kvel {

namespace {

bool isPlainText(const QMimeData* data)
{
    return data && data->hasText() && !data->hasUrls() && !data->hasImage();
}

QPoint globalPoint(const QDropEvent* event, const QWidget* target)
{
    return target ? target->mapToGlobal(event->position().toPoint()) : QPoint();
}

} // namespace

QString TTextDropTarget::dropText(const QString& text)
{
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    return nul < 0 ? text : text.left(nul);
}

void TTextDropTarget::DragEnter(QDragEnterEvent* event)
{
    if (!isPlainText(event->mimeData())) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    emit OnDragEnter(TargetControl(), globalPoint(event, TargetControl()), event->modifiers());
}

void TTextDropTarget::DragOver(QDragMoveEvent* event)
{
    if (!isPlainText(event->mimeData())) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
}

void TTextDropTarget::Drop(QDropEvent* event)
{
    if (!isPlainText(event->mimeData())) {
        event->ignore();
        return;
    }
    // The text is only copied, never moved out of the source.
    event->setDropAction(Qt::CopyAction);
    event->accept();
    emit OnDrop(TargetControl(), globalPoint(event, TargetControl()), event->modifiers(),
                dropText(event->mimeData()->text()));
}

} // namespace kvel
