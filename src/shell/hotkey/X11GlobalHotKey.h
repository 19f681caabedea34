// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "shell/hotkey/GlobalHotKey.h"
#include "shell/hotkey/KeyRepeatFilter.h"

#include <QAbstractNativeEventFilter>
#include <QList>

// Xlib's types without its macros, which clash with Qt's names.
using Display = struct _XDisplay;

namespace kvel {

// Alt+key grabbed on the root window. A grab takes the key away from every
// other program, so only the chosen key is grabbed, and only while asked to.
class X11GlobalHotKey final : public GlobalHotKey, public QAbstractNativeEventFilter
{
    Q_OBJECT

public:
    X11GlobalHotKey(Display* display, QObject* parent);
    ~X11GlobalHotKey() override;

    quint32 GetHookMsg() const override;
    bool SetHook(int keyIndex) override;
    void RemoveHook() override;
    bool grabbed() const override { return m_keyCode != 0; }
    bool takenByAnotherProgram() const override { return m_taken; }

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    bool grab(unsigned keyCode);
    void ungrab(unsigned keyCode, const QList<unsigned>& masks);

    Display* const m_display;
    const unsigned long m_root;
    unsigned m_keyCode = 0;
    QList<unsigned> m_masks;
    bool m_taken = false;
    KeyRepeatFilter m_repeats;
};

} // namespace kvel
