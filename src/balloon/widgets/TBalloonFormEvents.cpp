// SPDX-License-Identifier: GPL-2.0-or-later
// The translation window's answers to the user: keys, the close button, the
// lock toggle, mouse picking in the text and the fade-in on showing.

#include "balloon/widgets/BalloonHost.h"
#include "balloon/widgets/TAlphaThread.h"
#include "balloon/widgets/TBalloonForm.h"
#include "balloon/widgets/TMyHint.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>
#include <QToolButton>

namespace kvel {

namespace {

// The hint opens this far below the pointer: the panel's top inside the
// window differs between the placements above and below the bar.
constexpr int kHintDropAbove = 24;
constexpr int kHintDropBelow = 56;

bool isPress(QEvent::Type type)
{
    return type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick;
}

} // namespace

bool TBalloonForm::eventFilter(QObject* watched, QEvent* event)
{
    // The window sees its controls' keys first.
    if (event->type() == QEvent::KeyPress)
        return FormKeyDown(*static_cast<QKeyEvent*>(event));
    if (event->type() == QEvent::Leave)
        HintWindow->closeHint();

    if (event->type() == QEvent::Wheel && Locked) {
        // The locked view takes no input of its own, yet tall text must scroll.
        QScrollBar* bar = RichEdit->verticalScrollBar();
        const int notches = static_cast<QWheelEvent*>(event)->angleDelta().y() / 120;
        bar->setValue(bar->value() -
                      notches * QApplication::wheelScrollLines() * bar->singleStep());
        return true;
    }
    if (watched == CentralPanel)
        return centralPanelEvent(event);

    if (watched == SpeedButton && isPress(event->type())) {
        SpeedButtonMouseDown(static_cast<QMouseEvent*>(event)->button());
        return true;
    }

    if (watched == LockImage) {
        auto* mouse = dynamic_cast<QMouseEvent*>(event); // null for other events
        if (isPress(event->type())) {
            LockImagePressed = mouse->button() == Qt::LeftButton;
            return true;
        }
        if (event->type() == QEvent::MouseButtonRelease) {
            const bool clicked = LockImagePressed && mouse->button() == Qt::LeftButton &&
                                 LockImage->rect().contains(mouse->position().toPoint());
            LockImagePressed = false;
            if (clicked)
                LockImageClick();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool TBalloonForm::centralPanelEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseMove:
        CentralPanelMouseMove(static_cast<QMouseEvent*>(event)->position().toPoint());
        return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        CentralPanelMouseDown(mouse->position().toPoint(), mouse->button());
        return true;
    }
    case QEvent::MouseButtonRelease:
        CentralPanelMouseUp();
        return true;
    default:
        return false;
    }
}

void TBalloonForm::showEvent(QShowEvent* event)
{
    if (!event->spontaneous())
        FormShow();
    QWidget::showEvent(event);
}

void TBalloonForm::FormShow()
{
    // A fade still running is asked to stop; its pass ends opaque and only
    // the next showing fades again.
    if (FadeThread)
        FadeThread->stop();
    if (FadeThread || !Host.alphaBlendOn() || !CanFade())
        return;

    // It begins with the first frame drawn (paintEvent), not before the
    // window is on the screen.
    FadeThread = new TAlphaThread(this);
    connect(FadeThread, &QThread::finished, this, [this] { FadeThread = nullptr; });
    FadeThread->setStep(TAlphaThread::stepForSpeed(Host.alphaBlendSpeed()));
}

bool TBalloonForm::Fading() const
{
    return FadeThread != nullptr;
}

void TBalloonForm::closeEvent(QCloseEvent* event)
{
    FormClose();
    QWidget::closeEvent(event);
}

void TBalloonForm::FormClose()
{
    if (FadeThread)
        FadeThread->stop();
    HintWindow->closeHint();
}

void TBalloonForm::hideEvent(QHideEvent* event)
{
    HintWindow->closeHint();
    QWidget::hideEvent(event);
}

void TBalloonForm::keyPressEvent(QKeyEvent* event)
{
    if (!FormKeyDown(*event))
        QWidget::keyPressEvent(event);
}

bool TBalloonForm::FormKeyDown(const QKeyEvent& event)
{
    HintWindow->closeHint();
    const Qt::KeyboardModifiers modifiers =
        event.modifiers() &
        (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    switch (event.key()) {
    case Qt::Key_S:
        if (modifiers != Qt::AltModifier)
            return false;
        LockImageClick();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return true;
    case Qt::Key_Escape:
        close();
        return true;
    default:
        return false;
    }
}

void TBalloonForm::mouseMoveEvent(QMouseEvent* event)
{
    // Over the tail or the margins, outside the body.
    HintWindow->closeHint();
    QWidget::mouseMoveEvent(event);
}

void TBalloonForm::LockImageClick()
{
    Locked = !Locked;
    ApplyLockState();
}

void TBalloonForm::SpeedButtonMouseDown(Qt::MouseButton button)
{
    if (button == Qt::LeftButton)
        close();
    else if (button == Qt::RightButton)
        Host.closePhraseBar();
}

bool TBalloonForm::pickingEnabled() const
{
    return Sensitive && Locked && Content.kind == ContentKind::Results;
}

void TBalloonForm::clearPick()
{
    PickArmed = false;
    PickedPhrase.clear();
    HintWindow->closeHint();
}

void TBalloonForm::CentralPanelMouseMove(const QPoint& pos)
{
    // The first move after a rendering or a left press only arms the pick.
    if (!PickArmed) {
        PickArmed = true;
        return;
    }
    if (!pickingEnabled()) {
        clearPick();
        return;
    }
    const std::optional<std::pair<int, int>> at = lineAndColumnAt(pos);
    const std::optional<QString> phrase = at ? PhraseAt(at->first, at->second) : std::nullopt;
    if (!phrase || phrase->isEmpty()) {
        clearPick();
        return;
    }
    PickArmed = true;
    PickedPhrase = *phrase;
    PickedLanguage = pickedLanguage(Content, Shown, at->first);
    showHintAt(pos, PickedPhrase);
}

void TBalloonForm::CentralPanelMouseDown(const QPoint& pos, Qt::MouseButton button)
{
    if (!pickingEnabled())
        return;

    if (button == Qt::RightButton || button == Qt::MiddleButton) {
        if (PickArmed && !PickedPhrase.isEmpty()) {
            const QString phrase = PickedPhrase;
            Host.setEntryText(phrase);
        }
        Host.moveEntryCaretToEnd();
        return;
    }
    if (button != Qt::LeftButton)
        return;

    if (PickArmed && PickedLanguage != kNoPickLanguage) {
        const QString meanings = Host.QueryMeaning(PickedPhrase, PickedLanguage);
        if (!meanings.isEmpty()) {
            showHintAt(pos, meanings);
            PickArmed = false;
            PickedPhrase.clear();
            return;
        }
    }
    clearPick();
}

void TBalloonForm::CentralPanelMouseUp()
{
    PickArmed = true;
}

std::optional<std::pair<int, int>> TBalloonForm::lineAndColumnAt(const QPoint& panelPos) const
{
    const QRect bottom = CentralBottomPanel->geometry();
    // The bottom panel's edges count as inside.
    if (panelPos.x() < bottom.left() || panelPos.x() > bottom.left() + bottom.width() ||
        panelPos.y() < bottom.top() || panelPos.y() > bottom.top() + bottom.height())
        return std::nullopt;

    QWidget* viewport = RichEdit->viewport();
    const QPoint viewPos = viewport->mapFrom(CentralPanel, panelPos);
    const QTextBlock block = RichEdit->cursorForPosition(viewPos).block();
    if (!block.isValid())
        return std::nullopt;
    const QRectF bounds = RichEdit->document()->documentLayout()->blockBoundingRect(block);
    const qreal y = viewPos.y() + RichEdit->verticalScrollBar()->value() - bounds.top();
    // A line wider than the view wraps into rows; the column counts from the
    // start of the whole line.
    const QTextLayout* rows = block.layout();
    QTextLine line = rows->lineAt(0);
    for (int row = 1; row < rows->lineCount() && rows->lineAt(row).y() <= y; ++row)
        line = rows->lineAt(row);
    const int index =
        line.xToCursor(viewPos.x() - bounds.left() - line.x(), QTextLine::CursorOnCharacter);
    return std::pair{block.blockNumber(), index + 1};
}

void TBalloonForm::showHintAt(const QPoint& panelPos, const QString& text)
{
    const int drop = Placement <= 2 ? kHintDropAbove : kHintDropBelow;
    const QPoint below = pos() + panelPos + QPoint(0, drop);
    const int pointerY = CentralPanel->mapToGlobal(panelPos).y();
    const QScreen* shownOn = screen() ? screen() : QGuiApplication::primaryScreen();
    HintWindow->showHint(below, pointerY, text, shownOn->availableGeometry());
}

} // namespace kvel
