// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "shell/drop/TGenericVCLDropTarget.h"

#include <QPoint>

namespace kvel {

// A drop target that takes plain text only: files, links and pictures are
// refused at the door, so dragging them over the entry shows "no drop".
class TTextDropTarget : public TGenericVCLDropTarget
{
    Q_OBJECT
public:
    using TGenericVCLDropTarget::TGenericVCLDropTarget;

    // The text of a drop up to its first NUL, as a C string would end.
    static QString dropText(const QString& text);

signals:
    void OnDragEnter(QWidget* sender, QPoint globalPos, Qt::KeyboardModifiers shift);
    void OnDrop(QWidget* sender, QPoint globalPos, Qt::KeyboardModifiers shift,
                const QString& text);

protected:
    void DragEnter(QDragEnterEvent* event) override;
    void DragOver(QDragMoveEvent* event) override;
    void Drop(QDropEvent* event) override;
};

} // namespace kvel
