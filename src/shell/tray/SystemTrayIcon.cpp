// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/tray/SystemTrayIcon.h"

#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QIcon>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWidget>
#include <cstdlib>
#include <memory>
#include <xcb/xcb.h>

using namespace Qt::StringLiterals;

namespace kvel {

namespace {

constexpr int kAvailabilityPollMs = 2000;

// The window Qt docks into an X11 tray (XEMBED) when the desktop offers no
// tray of its own (status notifier); none otherwise.
QWidget* xembedIconWindow()
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() == QLatin1String("QSystemTrayIconSys"))
            return window;
    }
    return nullptr;
}

// A tray host takes the icon in by reparenting its window into its own. Qt
// learns the new place only from the events that follow, and places a balloon
// where it believes the icon is: so the icon counts as taken in once Qt's
// place for it is the server's.
bool placedInTray(xcb_connection_t* connection, const QWidget& window)
{
    const auto id = xcb_window_t(window.internalWinId());
    const std::unique_ptr<xcb_query_tree_reply_t, decltype(&free)> tree(
        xcb_query_tree_reply(connection, xcb_query_tree(connection, id), nullptr), &free);
    if (!tree || tree->parent == tree->root)
        return false;
    const std::unique_ptr<xcb_translate_coordinates_reply_t, decltype(&free)> onScreen(
        xcb_translate_coordinates_reply(
            connection, xcb_translate_coordinates(connection, id, tree->root, 0, 0), nullptr),
        &free);
    if (!onScreen)
        return false;
    const QPoint believed =
        (QPointF(window.mapToGlobal(QPoint(0, 0))) * window.devicePixelRatioF()).toPoint();
    return (believed - QPoint(onScreen->dst_x, onScreen->dst_y)).manhattanLength() <= 1;
}

} // namespace

SystemTrayIcon::SystemTrayIcon(QObject* parent)
    : TrayIcon(parent), m_icon(new QSystemTrayIcon(this)), m_watch(new QTimer(this)),
      m_available(QSystemTrayIcon::isSystemTrayAvailable())
{
    connect(m_icon, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::Trigger)
                    emit leftClicked();
                else if (reason == QSystemTrayIcon::Context)
                    emit rightClicked(QCursor::pos());
            });
    connect(m_watch, &QTimer::timeout, this, &SystemTrayIcon::checkAvailability);
    m_watch->start(kAvailabilityPollMs);
}

void SystemTrayIcon::checkAvailability()
{
    const bool available = QSystemTrayIcon::isSystemTrayAvailable();
    if (available == m_available)
        return;
    m_available = available;
    emit availabilityChanged(available);
}

bool SystemTrayIcon::isAvailable() const
{
    return m_available;
}

void SystemTrayIcon::show(bool barHidden, const QString& tip)
{
    m_icon->setIcon(QIcon(barHidden ? u":/kvel/images/31020.svg"_s : u":/kvel/images/31021.svg"_s));
    m_icon->setToolTip(tip);
    m_icon->show();
}

void SystemTrayIcon::remove()
{
    m_icon->hide();
}

bool SystemTrayIcon::isShown() const
{
    return m_icon->isVisible();
}

bool SystemTrayIcon::isEmbedded() const
{
    if (!m_icon->isVisible())
        return false;
    QWidget* window = xembedIconWindow();
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    // Elsewhere the desktop's notifications place the balloon.
    if (!window || !x11 || !window->internalWinId())
        return true;
    return placedInTray(x11->connection(), *window);
}

void SystemTrayIcon::showBalloon(const QString& title, const QString& text, BalloonIcon icon,
                                 int timeoutMs)
{
    m_icon->showMessage(title, text,
                        icon == BalloonIcon::Warning ? QSystemTrayIcon::Warning
                                                     : QSystemTrayIcon::Information,
                        timeoutMs);
}

} // namespace kvel
