// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/clipboard/ClipboardReader.h"

#include "shell/clipboard/QtClipboardReader.h"
#include "shell/clipboard/X11ClipboardReader.h"

#include <QGuiApplication>

namespace kvel {

ClipboardReader* createClipboardReader(QObject* parent)
{
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        return new X11ClipboardReader(qgetenv("DISPLAY"), parent);
    return new QtClipboardReader(parent);
}

} // namespace kvel
