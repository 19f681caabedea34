// SPDX-License-Identifier: GPL-2.0-or-later
#include "balloon/widgets/TBalloonForm.h"

#include "balloon/logic/BalloonMarkup.h"
#include "balloon/logic/PhrasePicking.h"
#include "balloon/widgets/BalloonHost.h"
#include "balloon/widgets/BalloonImages.h"
#include "balloon/widgets/TAlphaThread.h"
#include "balloon/widgets/TMyHint.h"
#include "core/content/ContentMarkup.h"
#include "core/strings/StringTable.h"

#include <QAbstractTextDocumentLayout>
#include <QBitmap>
#include <QCoreApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QScopeGuard>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>
#include <QToolButton>
#include <cmath>

using namespace Qt::StringLiterals;

namespace kvel {

namespace {

const QColor kCream(255, 251, 240);
const QColor kOutline(128, 128, 128);
const QColor kRedHead(255, 0, 0);
const QColor kBlueHead(0, 0, 255);
const QColor kBlack(0, 0, 0);

// Arial's metrics decide the balloon's size; Liberation Sans shares them.
constexpr int kFontPixels = 11;
const QStringList kFormFont = {u"Arial"_s, u"Liberation Sans"_s};
const QStringList kCaptionFont = {u"Arial Narrow"_s, u"Liberation Sans Narrow"_s};

// Title strip: its height, and the distances its right-hand controls keep
// to the body's right edge.
constexpr int kTitleHeight = 22;
constexpr int kCaptionLeft = 19;
constexpr int kCaptionRightGap = 42;
constexpr int kLockRightGap = 21;
constexpr int kCloseRightGap = 1;
constexpr int kBevelRightGap = 2;
constexpr int kIconSize = 16;
constexpr int kIconTop = 2;

QFont pixelFont(const QStringList& families, bool bold)
{
    QFont font;
    font.setFamilies(families);
    font.setPixelSize(kFontPixels);
    font.setBold(bold);
    return font;
}

QColor headColour(HeadColour colour)
{
    switch (colour) {
    case HeadColour::Red:
        return kRedHead;
    case HeadColour::Blue:
        return kBlueHead;
    case HeadColour::Black:
        break;
    }
    return kBlack;
}

QPixmap crossGlyph()
{
    QPixmap pixmap(8, 8);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(QPen(kBlack, 1.5));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.drawLine(QPointF(1, 1), QPointF(7, 7));
    painter.drawLine(QPointF(1, 7), QPointF(7, 1));
    return pixmap;
}

} // namespace

TBalloonForm::TBalloonForm(BalloonHost& host, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), Host(host)
{
    setObjectName(u"BalloonForm"_s);
    // The bar keeps the keyboard while the balloon comes and goes; closing the
    // balloon never ends the program.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_QuitOnClose, false);
    // Its hints show although the bar, not the balloon, is the active window.
    setAttribute(Qt::WA_AlwaysShowToolTips);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);

    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, kCream);
    palette.setColor(QPalette::Base, kCream);
    palette.setColor(QPalette::Text, kBlack);
    setPalette(palette);
    setAutoFillBackground(true);
    setFont(pixelFont(kFormFont, false));

    buildControls();
    HintWindow = new TMyHint(this);
    TMyHint::installAsToolTipLook();
}

TBalloonForm::~TBalloonForm()
{
    if (FadeThread) {
        disconnect(FadeThread, nullptr, this, nullptr);
        FadeThread->detach();
    }
}

void TBalloonForm::buildControls()
{
    CentralPanel = new QWidget(this);
    CentralPanel->setObjectName(u"CentralPanel"_s);
    CentralTopPanel = new QWidget(CentralPanel);
    CentralTopPanel->setObjectName(u"CentralTopPanel"_s);
    // The title strip has its own mouse handling; picking sees only the text.
    CentralTopPanel->setAttribute(Qt::WA_NoMousePropagation);

    Image = new QLabel(CentralTopPanel);
    Image->setObjectName(u"Image"_s);
    Label = new QLabel(CentralTopPanel);
    Label->setObjectName(u"Label"_s);
    Label->setFont(pixelFont(kCaptionFont, true));
    Label->setTextFormat(Qt::PlainText);
    LockImage = new QLabel(CentralTopPanel);
    LockImage->setObjectName(u"LockImage"_s);
    SpeedButton = new QToolButton(CentralTopPanel);
    SpeedButton->setObjectName(u"SpeedButton"_s);
    SpeedButton->setAutoRaise(true);
    SpeedButton->setFocusPolicy(Qt::NoFocus);
    SpeedButton->setIcon(QIcon(crossGlyph()));
    SpeedButton->setIconSize(QSize(8, 8));
    Bevel = new QFrame(CentralTopPanel);
    Bevel->setObjectName(u"Bevel"_s);
    Bevel->setFrameShape(QFrame::HLine);
    Bevel->setFrameShadow(QFrame::Plain);
    QPalette bevelPalette = Bevel->palette();
    bevelPalette.setColor(QPalette::WindowText, kOutline);
    Bevel->setPalette(bevelPalette);

    CentralBottomPanel = new QWidget(CentralPanel);
    CentralBottomPanel->setObjectName(u"CentralBottomPanel"_s);
    RichEdit = new QTextEdit(CentralBottomPanel);
    RichEdit->setObjectName(u"RichEdit"_s);
    RichEdit->setFrameShape(QFrame::NoFrame);
    RichEdit->setReadOnly(true);
    RichEdit->setAcceptRichText(false);
    RichEdit->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // A line wider than the screen wraps at the view's edge (fitTextView).
    RichEdit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    RichEdit->setUndoRedoEnabled(false);
    // Positions are measured from the view's top-left corner, with no inner margin.
    RichEdit->document()->setDocumentMargin(0);

    // Moves over the locked (disabled) text must reach CentralPanel, and a
    // move is passed on only by widgets that track the mouse.
    const QList<QWidget*> children = CentralPanel->findChildren<QWidget*>();
    for (QWidget* child : children) {
        child->setMouseTracking(true);
        child->installEventFilter(this);
    }
    CentralPanel->setMouseTracking(true);
    CentralPanel->installEventFilter(this);
}

void TBalloonForm::layoutBody(const BalloonSize& size, int placement)
{
    const int width = size.panelWidth;
    const int height = size.panelHeight;
    CentralPanel->setGeometry(kPanelLeft, panelTop(placement), width, height);
    CentralTopPanel->setGeometry(0, 0, width, kTitleHeight);
    Image->setGeometry(0, kIconTop, kIconSize, kIconSize);
    Label->setGeometry(kCaptionLeft, kIconTop, width - kCaptionLeft - kCaptionRightGap, 15);
    LockImage->setGeometry(width - kLockRightGap - kIconSize, kIconTop, kIconSize, kIconSize);
    SpeedButton->setGeometry(width - kCloseRightGap - kIconSize, kIconTop, kIconSize, kIconSize);
    Bevel->setGeometry(0, kTitleHeight - 1, width - kBevelRightGap, 1);
    CentralBottomPanel->setGeometry(0, kTitleHeight, width, height - kTitleHeight);
    RichEdit->setGeometry(0, 0, width, height - kTitleHeight);
}

void TBalloonForm::ShowContent(const BalloonContent& content, const QRect& anchor,
                               const BalloonOptions& options)
{
    RichEdit->setUpdatesEnabled(false);
    const auto restoreUpdates = qScopeGuard([this] { RichEdit->setUpdatesEnabled(true); });
    raise();
    PickArmed = false;
    HintWindow->closeHint();
    Content = content;
    Shown = layOutContent(content, options.wrap);
    Locked = options.locked;
    Sensitive = options.sensitive;

    Label->setText(content.caption);
    Label->setToolTip(content.caption);
    Image->setPixmap(balloonImage(content.image, devicePixelRatioF()));
    SpeedButton->setToolTip(LoadLngText(StringId::BalloonCloseHint));

    const QSize text = fillText();
    const QRect screen = screenFor(anchor);
    const BalloonSize size = fitTextView(text, screen, anchor);
    const QSize window(size.windowWidth, size.windowHeight);
    setFixedSize(window);

    QTextCursor all(RichEdit->document());
    all.select(QTextCursor::Document);
    QTextBlockFormat aligned;
    aligned.setAlignment(content.alignment);
    all.mergeBlockFormat(aligned);

    const BalloonPlacement placed = choosePlacement(anchor, window, screen);
    if (placed.barMovedTo)
        Host.moveBar(*placed.barMovedTo);
    move(placed.windowPos);
    layoutBody(size, placed.placement);
    applyOutline(placed, window);

    ApplyLockState();
    if (!isVisible())
        show();
    repaint();
    QCoreApplication::processEvents();
}

BalloonSize TBalloonForm::fitTextView(const QSize& text, const QRect& screen, const QRect& anchor)
{
    // The window is sized to the text, so the view scrolls only when the text
    // is taller than the room beside the bar; it never scrolls sideways.
    const int lineHeight = QFontInfo(font()).pixelSize();
    const int widest = widestText(screen.width());
    const auto windowWidth = [&screen](int textWidth) {
        return balloonSize(textWidth, 0, screen.width(), 0).windowWidth;
    };
    QSize shown = wrapTextAt(text, widest);
    int maxHeight = windowHeightLimit(anchor, windowWidth(shown.width()), screen, lineHeight);
    const bool tall = scrollsVertically(shown.height(), maxHeight);
    if (tall) {
        // The vertical bar takes its width beside the text, not out of it.
        const int scrollBar = RichEdit->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        shown = wrapTextAt(text, widest - scrollBar);
        shown.rwidth() += scrollBar;
        maxHeight = windowHeightLimit(anchor, windowWidth(shown.width()), screen, lineHeight);
    }
    RichEdit->setVerticalScrollBarPolicy(tall ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    return balloonSize(shown.width(), shown.height(), screen.width(), maxHeight);
}

QSize TBalloonForm::wrapTextAt(const QSize& text, int width)
{
    if (text.width() <= width) {
        RichEdit->setLineWrapMode(QTextEdit::NoWrap);
        RichEdit->setWordWrapMode(QTextOption::NoWrap);
        return text;
    }
    // Each drawn line stays one block, so picking reads it whole.
    RichEdit->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    RichEdit->setLineWrapMode(QTextEdit::FixedPixelWidth);
    RichEdit->setLineWrapColumnOrWidth(width);
    return {width, textHeight()};
}

QSize TBalloonForm::fillText()
{
    // Measured unwrapped; fitTextView wraps what the screen cannot hold.
    RichEdit->setLineWrapMode(QTextEdit::NoWrap);
    RichEdit->setWordWrapMode(QTextOption::NoWrap);
    QTextDocument* document = RichEdit->document();
    document->clear();
    QTextCursor cursor(document);
    for (qsizetype line = 0; line < Shown.size(); ++line) {
        if (line > 0)
            cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
        FormatLineHead(cursor, Shown[line].look);
    }

    // The text is as wide as its longest line, up to just past the last
    // character.
    QAbstractTextDocumentLayout* layout = document->documentLayout();
    qreal width = 0;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        const QRectF bounds = layout->blockBoundingRect(block);
        const QTextLine line = block.layout()->lineAt(0);
        width = std::max(width, bounds.left() + line.x() + line.cursorToX(block.length() - 1));
    }
    return {int(std::ceil(width)), textHeight()};
}

int TBalloonForm::textHeight() const
{
    // The top of the last row drawn plus the font's height.
    const QTextDocument* document = RichEdit->document();
    const QTextBlock last = document->lastBlock();
    const QTextLayout* rows = last.layout();
    const qreal lastTop = document->documentLayout()->blockBoundingRect(last).top() +
                          rows->lineAt(rows->lineCount() - 1).y();
    return int(std::lround(lastTop)) + QFontInfo(font()).pixelSize();
}

void TBalloonForm::FormatLineHead(QTextCursor& cursor, const FormattedLine& line)
{
    QTextCharFormat plain;
    plain.setForeground(kBlack);
    plain.setFontWeight(QFont::Normal);
    QTextCharFormat head = plain;
    head.setForeground(headColour(line.headColour));
    head.setFontWeight(QFont::Bold);

    cursor.insertText(line.text.left(line.headLength), head);
    cursor.insertText(line.text.mid(line.headLength), plain);
}

void TBalloonForm::applyOutline(const BalloonPlacement& placed, const QSize& window)
{
    Placement = placed.placement;
    RegionPoints = regionPoints(Placement, window);
    BorderPoints = borderPoints(Placement, window);

    // A mask painted with pen and brush keeps the right and bottom edge pixels
    // that a polygon region would drop, so the whole outline stays visible.
    QBitmap mask(window);
    mask.fill(Qt::color0);
    QPainter painter(&mask);
    painter.setPen(Qt::color1);
    painter.setBrush(Qt::color1);
    painter.drawPolygon(RegionPoints, Qt::OddEvenFill);
    painter.end();
    setMask(mask);
}

QRect TBalloonForm::screenFor(const QRect& anchor) const
{
    QScreen* screen = QGuiApplication::screenAt(anchor.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen->availableGeometry();
}

void TBalloonForm::ApplyLockState()
{
    RichEdit->moveCursor(QTextCursor::Start);
    RichEdit->verticalScrollBar()->setValue(0);
    // A disabled text view passes the mouse on to CentralPanel, which picks.
    CentralBottomPanel->setEnabled(!Locked);
    LockImage->setPixmap(
        balloonImage(Locked ? ImageId::Locked : ImageId::Unlocked, devicePixelRatioF()));
    LockImage->setToolTip(
        LoadLngText(Locked ? StringId::BalloonUnlockHint : StringId::BalloonLockHint));
    if (!Locked)
        RichEdit->setFocus();
}

QStringList TBalloonForm::sourceLines() const
{
    return markupLines(Content);
}

std::optional<QString> TBalloonForm::PhraseAt(int line, int column) const
{
    if (line < 0 || line >= Shown.size())
        return std::nullopt;
    return kvel::PhraseAt(Shown[line].look.text, column);
}

bool TBalloonForm::CanFade() const
{
    return Host.windowOpacityShows();
}

void TBalloonForm::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(QPen(kOutline, 1));
    painter.drawPolyline(BorderPoints);
    if (FadeThread)
        FadeThread->begin();
}

} // namespace kvel
