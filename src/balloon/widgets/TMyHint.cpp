// SPDX-License-Identifier: GPL-2.0-or-later
#include "balloon/widgets/TMyHint.h"

#include "balloon/widgets/HintPlacement.h"

#include <QPainter>
#include <QToolTip>

namespace kvel {

namespace {

const QColor kHintText(255, 0, 0);
const QColor kHintBackground(255, 255, 255);
const QColor kHintFrame(0, 0, 0);

// The text starts this far inside the frame; the window is this much larger
// than the text it holds.
constexpr int kTextInset = 2;
constexpr int kExtraWidth = 6;
constexpr int kExtraHeight = 2;

constexpr int kTextFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;

} // namespace

TMyHint::TMyHint(QWidget* parent)
    : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowTransparentForInput)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFont(QToolTip::font());
}

int TMyHint::textFlags(const QString& text, int maxWidth) const
{
    // A word longer than the width is broken too, so the hint never grows past it.
    const QRect words = fontMetrics().boundingRect(QRect(0, 0, maxWidth, 0), kTextFlags, text);
    return words.width() <= maxWidth ? kTextFlags
                                     : (kTextFlags & ~Qt::TextWordWrap) | Qt::TextWrapAnywhere;
}

QSize TMyHint::sizeForText(const QString& text, int maxWidth) const
{
    const QRect bounds =
        fontMetrics().boundingRect(QRect(0, 0, maxWidth, 0), textFlags(text, maxWidth), text);
    return {bounds.width() + kExtraWidth, bounds.height() + kExtraHeight};
}

void TMyHint::showHint(const QPoint& below, int pointerY, const QString& text, const QRect& screen)
{
    const int maxWidth = screen.width() - kExtraWidth;
    m_text = text;
    m_flags = textFlags(text, maxWidth);
    setGeometry(hintGeometry(below, pointerY, sizeForText(text, maxWidth), screen));
    show();
    update();
}

void TMyHint::closeHint()
{
    hide();
}

void TMyHint::installAsToolTipLook()
{
    QPalette palette = QToolTip::palette();
    palette.setColor(QPalette::ToolTipBase, kHintBackground);
    palette.setColor(QPalette::ToolTipText, kHintText);
    QToolTip::setPalette(palette);
}

void TMyHint::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), kHintBackground);
    painter.setPen(kHintFrame);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.setPen(kHintText);
    painter.drawText(rect().adjusted(kTextInset, kTextInset, 0, 0), m_flags, m_text);
}

} // namespace kvel
