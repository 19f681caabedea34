// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/x11/Compositing.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

// Xlib's macros clash with Qt's names: its header comes last.
#include <X11/Xlib.h>

namespace kvel {

bool compositingManagerRunning()
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (!display)
        return false;
    // A compositing manager owns the selection _NET_WM_CM_S<screen number>.
    const QByteArray name = "_NET_WM_CM_S" + QByteArray::number(DefaultScreen(display));
    const Atom selection = XInternAtom(display, name.constData(), False);
    return XGetSelectionOwner(display, selection) != None;
}

} // namespace kvel
