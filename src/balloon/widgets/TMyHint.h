// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QWidget>

namespace kvel {

// The program's hint window: red text on white in a flat one-pixel frame,
// word-wrapped, with ampersands shown as they are. The translation window
// shows picked phrases and their meanings in one.
class TMyHint : public QWidget
{
    Q_OBJECT

public:
    explicit TMyHint(QWidget* parent = nullptr);

    // The window's size for text, wrapped to at most maxWidth pixels.
    QSize sizeForText(const QString& text, int maxWidth) const;
    // Shows text wrapped to the width of screen (the available area), with
    // the window's top-left corner at below (screen pixels) or, where that
    // would leave the screen, as close as it stays on it (see HintPlacement.h).
    void showHint(const QPoint& below, int pointerY, const QString& text, const QRect& screen);
    void closeHint();

    QString text() const { return m_text; }

    // Gives every tooltip of the program this window's colours and font.
    static void installAsToolTipLook();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int textFlags(const QString& text, int maxWidth) const;

    QString m_text;
    int m_flags = 0;
};

} // namespace kvel
