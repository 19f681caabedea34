// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/x11/EveryDesktop.h"

#include <QEvent>
#include <QGuiApplication>
#include <QVariant>
#include <QWidget>
#include <QtGui/qguiapplication_platform.h>
#include <optional>

// Xlib's macros clash with Qt's names: its headers come last.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace kvel {

namespace {

constexpr unsigned long kAllDesktops = 0xFFFFFFFF;
constexpr long kStateAdd = 1;
constexpr long kSourceApplication = 1;

Display* x11Display()
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->display() : nullptr;
}

Atom atom(Display* display, const char* name)
{
    return XInternAtom(display, name, False);
}

// The first 32-bit value of a property, when it has one.
std::optional<unsigned long> cardinal(Display* display, Window window, const char* name)
{
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, atom(display, name), 0, 1, False, XA_CARDINAL, &type,
                           &format, &count, &after, &data) != Success)
        return std::nullopt;
    std::optional<unsigned long> value;
    if (data && type == XA_CARDINAL && format == 32 && count == 1)
        value = reinterpret_cast<const unsigned long*>(data)[0] & 0xFFFFFFFF;
    if (data)
        XFree(data);
    return value;
}

bool hasState(Display* display, Window window, Atom state)
{
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, atom(display, "_NET_WM_STATE"), 0, 64, False, XA_ATOM,
                           &type, &format, &count, &after, &data) != Success)
        return false;
    bool found = false;
    for (unsigned long i = 0; data && type == XA_ATOM && format == 32 && i < count; ++i)
        found = found || reinterpret_cast<const Atom*>(data)[i] == state;
    if (data)
        XFree(data);
    return found;
}

// A window not mapped yet carries its wishes as properties the window manager
// reads when it takes the window in; Qt merges its own states with these.
void writeBeforeMap(Display* display, Window window)
{
    const unsigned long all = kAllDesktops;
    XChangeProperty(display, window, atom(display, "_NET_WM_DESKTOP"), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(&all), 1);
    const Atom sticky = atom(display, "_NET_WM_STATE_STICKY");
    if (!hasState(display, window, sticky))
        XChangeProperty(display, window, atom(display, "_NET_WM_STATE"), XA_ATOM, 32,
                        PropModeAppend, reinterpret_cast<const unsigned char*>(&sticky), 1);
    XFlush(display);
}

void sendToWindowManager(Display* display, Window window, const char* message,
                         std::initializer_list<long> values)
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = atom(display, message);
    event.xclient.format = 32;
    int i = 0;
    for (const long value : values)
        event.xclient.data.l[i++] = value;
    XSendEvent(display, DefaultRootWindow(display), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &event);
}

// A mapped window is the window manager's: it is asked to move it.
void askWhileMapped(Display* display, Window window)
{
    sendToWindowManager(display, window, "_NET_WM_DESKTOP",
                        {long(kAllDesktops), kSourceApplication});
    sendToWindowManager(
        display, window, "_NET_WM_STATE",
        {kStateAdd, long(atom(display, "_NET_WM_STATE_STICKY")), 0, kSourceApplication});
    XFlush(display);
}

// Qt sends a window its own show event before it maps it; a spontaneous one
// comes from the window system, with the window mapped already.
class BeforeEachMap final : public QObject
{
public:
    explicit BeforeEachMap(QWidget& window) : QObject(&window) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && !event->spontaneous() && watched == parent()) {
            if (Display* display = x11Display())
                writeBeforeMap(display, static_cast<QWidget*>(watched)->winId());
        }
        return false;
    }
};

} // namespace

void keepOnEveryDesktop(QWidget& window)
{
    Display* display = x11Display();
    if (!display)
        return;
    static constexpr char kWatched[] = "kvelOnEveryDesktop";
    if (!window.property(kWatched).toBool()) {
        window.setProperty(kWatched, true);
        window.installEventFilter(new BeforeEachMap(window));
    }
    if (window.isVisible())
        askWhileMapped(display, window.winId());
}

bool onCurrentDesktop(const QWidget& window)
{
    Display* display = x11Display();
    if (!display || !window.isVisible())
        return true;
    const std::optional<unsigned long> desktop =
        cardinal(display, window.winId(), "_NET_WM_DESKTOP");
    const std::optional<unsigned long> current =
        cardinal(display, DefaultRootWindow(display), "_NET_CURRENT_DESKTOP");
    return !desktop || !current || *desktop == kAllDesktops || *desktop == *current;
}

} // namespace kvel
