// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/hotkey/X11GlobalHotKey.h"

#include "shell/hotkey/HotKeyKeys.h"

#include <QByteArray>
#include <QCoreApplication>
#include <xcb/xcb.h>

// X11 headers last: their macros clash with Qt's names.
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

namespace kvel {

namespace {

// Nothing but this object's signal carries the id, so any fixed non-zero
// number does.
constexpr quint32 hotKeyMessage = 1;

// Xlib's error handler is process-wide and gets no context, hence a global.
int trappedError = Success;

int trapError(Display*, XErrorEvent* error)
{
    if (trappedError == Success)
        trappedError = error->error_code;
    return 0;
}

// Catches the errors of the requests made while it lives (BadAccess when
// another program already grabbed the key) instead of the previous handler,
// which it puts back afterwards.
class XErrorTrap
{
public:
    explicit XErrorTrap(Display* display) : m_display(display)
    {
        // Errors of earlier requests still belong to the previous handler.
        XSync(m_display, False);
        trappedError = Success;
        m_previous = XSetErrorHandler(trapError);
    }

    ~XErrorTrap()
    {
        XSync(m_display, False);
        XSetErrorHandler(m_previous);
    }

    XErrorTrap(const XErrorTrap&) = delete;
    XErrorTrap& operator=(const XErrorTrap&) = delete;

    // Waits until the server has answered every request made so far; the
    // first error code, Success when there was none.
    int error()
    {
        XSync(m_display, False);
        return trappedError;
    }

private:
    Display* const m_display;
    XErrorHandler m_previous = nullptr;
};

// The modifier bit Num_Lock sets in this keyboard map, 0 when it sets none.
unsigned numLockMask(Display* display)
{
    const KeyCode numLock = XKeysymToKeycode(display, XK_Num_Lock);
    XModifierKeymap* map = XGetModifierMapping(display);
    if (!map)
        return 0;
    unsigned mask = 0;
    for (int modifier = 0; modifier < 8 && numLock != 0; ++modifier) {
        for (int i = 0; i < map->max_keypermod; ++i) {
            if (map->modifiermap[modifier * map->max_keypermod + i] == numLock)
                mask = 1u << modifier;
        }
    }
    XFreeModifiermap(map);
    return mask;
}

} // namespace

X11GlobalHotKey::X11GlobalHotKey(Display* display, QObject* parent)
    : GlobalHotKey(parent), m_display(display), m_root(DefaultRootWindow(display))
{
    QCoreApplication::instance()->installNativeEventFilter(this);
}

X11GlobalHotKey::~X11GlobalHotKey()
{
    RemoveHook();
}

quint32 X11GlobalHotKey::GetHookMsg() const
{
    return hotKeyMessage;
}

bool X11GlobalHotKey::SetHook(int keyIndex)
{
    const std::optional<unsigned long> keySym = hotKeySym(keyIndex);
    const unsigned keyCode = keySym ? XKeysymToKeycode(m_display, *keySym) : 0;
    if (keyCode != 0 && keyCode == m_keyCode)
        return true;
    RemoveHook();
    return keyCode != 0 && grab(keyCode);
}

void X11GlobalHotKey::RemoveHook()
{
    m_taken = false;
    if (m_keyCode == 0)
        return;
    ungrab(m_keyCode, m_masks);
    XFlush(m_display);
    m_keyCode = 0;
    m_masks.clear();
}

bool X11GlobalHotKey::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
    if (m_keyCode == 0 || eventType != "xcb_generic_event_t")
        return false;
    const uint8_t type = static_cast<xcb_generic_event_t*>(message)->response_type & ~0x80;
    if (type != XCB_KEY_PRESS && type != XCB_KEY_RELEASE)
        return false;
    // Presses and releases share one layout.
    const auto* key = static_cast<xcb_key_press_event_t*>(message);
    if (key->event != m_root || key->detail != m_keyCode)
        return false;
    if (type == XCB_KEY_RELEASE) {
        m_repeats.release(key->time);
    } else if (m_repeats.press(key->time)) {
        const char* name = XKeysymToString(XkbKeycodeToKeysym(m_display, key->detail, 0, 0));
        if (name)
            emit hotKeyPressed(QString::fromLatin1(name));
    }
    // Qt goes on to take the event's time as the latest user action, which
    // lets the bar take the focus when it shows in answer to the key.
    return false;
}

bool X11GlobalHotKey::grab(unsigned keyCode)
{
    const QList<unsigned> masks = hotKeyModifierMasks(numLockMask(m_display));
    XErrorTrap trap(m_display);
    for (const unsigned mask : masks)
        XGrabKey(m_display, int(keyCode), mask, m_root, False, GrabModeAsync, GrabModeAsync);
    if (const int error = trap.error(); error != Success) {
        // The states grabbed before the refused one would catch the key only
        // with some locks on: let them go too.
        ungrab(keyCode, masks);
        m_taken = error == BadAccess;
        return false;
    }
    m_keyCode = keyCode;
    m_masks = masks;
    m_repeats.reset();
    return true;
}

void X11GlobalHotKey::ungrab(unsigned keyCode, const QList<unsigned>& masks)
{
    for (const unsigned mask : masks)
        XUngrabKey(m_display, int(keyCode), mask, m_root);
}

} // namespace kvel
