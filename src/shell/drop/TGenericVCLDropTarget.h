// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

class QDragEnterEvent;
class QDragMoveEvent;
class QDropEvent;

namespace kvel {

// Makes one widget a drop target and hands its drag-and-drop events to
// virtual methods, taking them away from the widget's own handling (a line
// edit would otherwise insert the text where it lands).
class TGenericVCLDropTarget : public QObject
{
    Q_OBJECT
public:
    explicit TGenericVCLDropTarget(QObject* parent = nullptr);
    ~TGenericVCLDropTarget() override;

    // Registers `control`; the control registered before stops taking drops.
    void SetDropTarget(QWidget* control);
    QWidget* TargetControl() const { return m_target; }

protected:
    virtual void DragEnter(QDragEnterEvent* event) = 0;
    virtual void DragOver(QDragMoveEvent* event) = 0;
    virtual void Drop(QDropEvent* event) = 0;

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void revoke();

    QPointer<QWidget> m_target;
    bool m_targetAcceptedDrops = false;
};

} // namespace kvel
