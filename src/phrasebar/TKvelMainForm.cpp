// SPDX-License-Identifier: GPL-2.0-or-later
// The bar itself: its widgets, its window, moving it with the mouse.
#include "phrasebar/TKvelMainForm.h"

#include "balloon/widgets/TBalloonForm.h"
#include "core/strings/StringTable.h"
#include "lookup/forms/HunspellForms.h"
#include "phrasebar/BarDictionary.h"
#include "phrasebar/BarGeometry.h"
#include "phrasebar/LowerCaseEntry.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QScreen>

using namespace Qt::StringLiterals;

namespace kvel {

namespace {

constexpr int kLabelWidth = 27;
const QColor kFrameColour(128, 128, 128);

QFont barFont()
{
    // Liberation Sans stands in where Arial is missing; fontconfig maps it.
    QFont font(u"Arial"_s);
    font.setPixelSize(11);
    return font;
}

} // namespace

TKvelMainForm::TKvelMainForm(BarPaths paths, BarDictionary& dictionary, DesktopServices desktop,
                             QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_paths(std::move(paths)), m_dictionary(dictionary)
{
    setObjectName(u"TKvelMainForm"_s);
    connect(&m_dictionary, &BarDictionary::ready, this, &TKvelMainForm::DictionaryReady);
    buildWidgets();
    buildMenus();
    buildDesktopServices(desktop);
    LoadSettings();
    if (FForms != 0)
        m_dictionary.forms().prepare();
    move(FBarLeft, FBarTop);
    SetLanguageOffset(FInterfaceLang);
    ApplyInterfaceLanguage();
}

TKvelMainForm::~TKvelMainForm()
{
    Cleanup();
}

void TKvelMainForm::attachBalloon(TBalloonForm* balloon)
{
    BalloonForm = balloon;
}

void TKvelMainForm::buildWidgets()
{
    setFixedSize(kBarSize);
    setFont(barFont());
    setAutoFillBackground(true);
    installEventFilter(this);

    LngLabel = new QLabel(this);
    LngLabel->setObjectName(u"LngLabel"_s);
    LngLabel->setGeometry(1, 1, kLabelWidth, height() - 2);
    LngLabel->setAlignment(Qt::AlignCenter);
    LngLabel->installEventFilter(this);

    LngEdit = new LowerCaseEntry(this);
    LngEdit->setObjectName(u"LngEdit"_s);
    LngEdit->setGeometry(kLabelWidth + 1, 1, width() - kLabelWidth - 2, height() - 2);
    LngEdit->setFrame(false);
    LngEdit->setTextMargins(2, 0, 0, 0);
    LngEdit->installEventFilter(this);
    connect(LngEdit, &QLineEdit::textChanged, this, [this] { LngEditChange(); });
}

void TKvelMainForm::paintEvent(QPaintEvent*)
{
    // The frame around the strip, where a press starts moving the bar.
    QPainter painter(this);
    painter.setPen(kFrameColour);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

QRect TKvelMainForm::screenRect() const
{
    const QScreen* current = screen() ? screen() : QGuiApplication::primaryScreen();
    return current ? current->availableGeometry() : QRect(0, 0, 1024, 768);
}

void TKvelMainForm::moveBarTo(QPoint topLeft)
{
    move(topLeft);
}

bool TKvelMainForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == LngEdit && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool swallowed = FormKeyPress(key->key());
        LngEditKeyDown(key->key(), key->modifiers());
        // Alt combinations are the bar's commands, never text.
        return swallowed || key->modifiers().testFlag(Qt::AltModifier) ||
               barKeyCommand(key->key(), key->modifiers()) != BarKeyCommand::None;
    }
    if (watched == LngLabel && event->type() == QEvent::MouseButtonDblClick) {
        LngLabelDblClick();
        return true;
    }
    if (watched == LngLabel && event->type() == QEvent::ContextMenu) {
        LngPopupMenu->popup(static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    }
    if (watched == LngLabel || watched == this) {
        auto* mouse = dynamic_cast<QMouseEvent*>(event); // null for other events
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            if (mouse->button() == Qt::LeftButton) {
                m_dragging = true;
                m_dragOffset = mouse->globalPosition().toPoint() - pos();
            }
            return false;
        case QEvent::MouseMove:
            if (m_dragging)
                move(mouse->globalPosition().toPoint() - m_dragOffset);
            return false;
        case QEvent::MouseButtonRelease:
            if (m_dragging && mouse->button() == Qt::LeftButton) {
                m_dragging = false;
                move(clampedToScreen(pos(), size(), screenRect()));
                FBarLeft = x();
                FBarTop = y();
                RefreshTranslation();
            }
            return false;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace kvel
