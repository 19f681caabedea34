// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "shell/clipboard/ClipboardReader.h"
#include "shell/wayland/SessionInfo.h"

#include <QObject>
#include <functional>

namespace kvel {

class ClipboardBurst;
class ClipboardNotices;
class WaylandDataControlWatcher;

// Tells the bar about every new text copied to the clipboard (the CLIPBOARD
// selection, not the mouse selection) while watching is on. Pictures, files,
// password-manager secrets and the program's own copies are not news. On a
// Wayland desktop that offers data control, copies made in Wayland programs
// are seen too; a burst of copies is told as its last text. Every read goes
// through the reader, so a program that owns the clipboard and never answers
// cannot stop the bar.
class ClipboardWatcher : public QObject
{
    Q_OBJECT
public:
    // Without a reader of its own the watcher takes the platform's.
    explicit ClipboardWatcher(QObject* parent = nullptr, ClipboardReader* reader = nullptr);

    void setWatching(bool on);
    bool isWatching() const { return m_watching; }

    // Reads the clipboard (or the mouse selection) now; onText gets its plain
    // text later, when it holds one.
    void readText(QClipboard::Mode mode, std::function<void(const QString& text)> onText);

signals:
    void textCopied(const QString& text);

private:
    void readClipboard();
    void burstSettled(const QString& text);
    bool watchesWayland() const;

    const SessionInfo m_session;
    bool m_watching = false;
    ClipboardReader* m_reader;
    ClipboardNotices* m_notices;
    ClipboardBurst* m_burst;
    WaylandDataControlWatcher* m_wayland = nullptr;
};

} // namespace kvel
