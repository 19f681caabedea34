// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QObject>
#include <QString>

namespace kvel {

// A key combination caught system-wide while the bar is hidden or unfocused:
// Alt with one of F9..F12. Stands in for the Windows hook library, keeping its
// three calls so the bar's hot-key code reads the same.
class GlobalHotKey : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // The id the deliveries are tagged with, fixed for the process. 0 means
    // nothing is ever delivered, which switches the bar's hot-key test off.
    virtual quint32 GetHookMsg() const = 0;

    // Starts catching Alt with the chosen key (0 = F9 .. 3 = F12), moving the
    // catch from any key chosen before. False when the key cannot be caught,
    // for example because another program already holds it.
    virtual bool SetHook(int keyIndex) = 0;

    // Stops catching; harmless when nothing is caught.
    virtual void RemoveHook() = 0;

    virtual bool grabbed() const = 0;

    // Whether the last SetHook failed because another program holds the key,
    // rather than because no key can be caught here at all.
    virtual bool takenByAnotherProgram() const { return false; }

signals:
    // The caught key's name as the keyboard system spells it ("F12").
    void hotKeyPressed(const QString& keyName);
};

// The desktop portal's global shortcuts on a Wayland desktop that offers them,
// else the X11 key grab on the xcb platform, else (offscreen) an object that
// never catches anything.
GlobalHotKey* createGlobalHotKey(QObject* parent);

} // namespace kvel
