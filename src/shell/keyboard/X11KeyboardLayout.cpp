// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/keyboard/X11KeyboardLayout.h"

#include <QGuiApplication>
#include <QStringList>
#include <algorithm>

// X11 headers last: their macros clash with Qt's names.
#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

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

// The Latin letter a keysym stands for, lower-cased.
std::optional<char> latinLetter(KeySym symbol)
{
    if (symbol >= XK_a && symbol <= XK_z)
        return char(symbol);
    if (symbol >= XK_A && symbol <= XK_Z)
        return char(symbol - XK_A + 'a');
    return std::nullopt;
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

LayoutLetters X11KeyboardLayout::layoutLetters() const
{
    Display* display = x11Display();
    XkbDescPtr keyboard = display ? XkbGetMap(display, XkbKeySymsMask, XkbUseCoreKbd) : nullptr;
    if (!keyboard)
        return {};
    int groups = 0;
    for (int code = keyboard->min_key_code; code <= keyboard->max_key_code; ++code)
        groups = std::max(groups, int(XkbKeyNumGroups(keyboard, code)));
    LayoutLetters letters(qsizetype(std::min(groups, XkbNumKbdGroups)));
    for (int code = keyboard->min_key_code; code <= keyboard->max_key_code; ++code) {
        const int keyGroups = XkbKeyNumGroups(keyboard, code);
        if (keyGroups == 0 || XkbKeyGroupsWidth(keyboard, code) == 0)
            continue;
        for (int group = 0; group < letters.size(); ++group) {
            // A key with fewer groups wraps round to its first ones, as XKB does.
            const KeySym symbol = XkbKeySymEntry(keyboard, code, 0, group % keyGroups);
            if (const std::optional<char> letter = latinLetter(symbol))
                letters[group].insert(quint32(code), *letter);
        }
    }
    XkbFreeKeyboard(keyboard, 0, True);
    return letters;
}

} // namespace kvel
