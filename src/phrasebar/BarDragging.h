// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QObject>
#include <QPoint>
#include <QRect>

class QWidget;

namespace kvel {

// The available geometry of the screen that holds `window`.
QRect availableScreen(const QWidget& window);

// Moves the bar with the mouse: a left press on its frame or on a handle
// (the language label) starts a drag; the release puts the bar back onto
// the screen.
class BarDragging : public QObject
{
    Q_OBJECT
public:
    explicit BarDragging(QWidget& bar);

    void addHandle(QWidget* handle);

signals:
    void dropped();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& m_bar;
    QPoint m_offset;
    bool m_dragging = false;
};

} // namespace kvel
