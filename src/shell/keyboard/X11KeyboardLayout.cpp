// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/keyboard/X11KeyboardLayout.h"

#include <QGuiApplication>
#include <QStringList>

// X11 headers last: their macros clash with Qt's names.
#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace kvel {

namespace {

Display* x11Display()
{
    auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->display() : nullptr;
}

// The root window's _XKB_RULES_NAMES: rules, model, layout, variant, options.
QStringList rulesNames(Display* display)
{
    const Atom property = XInternAtom(display, "_XKB_RULES_NAMES", True);
    if (property == None)
        return {};
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, DefaultRootWindow(display), property, 0, 1024, False, XA_STRING,
                           &type, &format, &count, &remaining, &data) != Success ||
        !data)
        return {};
    const QByteArray raw(reinterpret_cast<const char*>(data), qsizetype(count));
    XFree(data);
    QStringList names;
    for (const QByteArray& part : raw.split('\0'))
        names.append(QString::fromLatin1(part));
    return names;
}

} // namespace

std::unique_ptr<KeyboardLayout> X11KeyboardLayout::create()
{
    return std::make_unique<X11KeyboardLayout>();
}

void X11KeyboardLayout::activate(KeyboardTarget target)
{
    Display* display = x11Display();
    if (!display)
        return;
    const QStringList names = rulesNames(display);
    const std::optional<int> group = keyboardGroupFor(target, names.value(2), names.value(3));
    if (!group)
        return;
    XkbStateRec state{};
    if (XkbGetState(display, XkbUseCoreKbd, &state) != Success)
        return;
    if (!m_userGroup)
        m_userGroup = state.group;
    XkbLockGroup(display, XkbUseCoreKbd, unsigned(*group));
    XFlush(display);
}

void X11KeyboardLayout::restoreUserLayout()
{
    Display* display = x11Display();
    if (!display || !m_userGroup)
        return;
    XkbLockGroup(display, XkbUseCoreKbd, unsigned(*m_userGroup));
    XFlush(display);
    m_userGroup.reset();
}

} // namespace kvel
