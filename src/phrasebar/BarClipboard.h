// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "shell/clipboard/ClipboardReader.h"

#include <QObject>
#include <QString>
#include <functional>

namespace kvel {

class ClipboardWatcher;
class LowerCaseEntry;

// The clipboard as the bar uses it: watched for new text once the bar is
// first shown, read for the smart clipboard, pasted into the entry. Every
// read answers in the background; an entry changed meanwhile keeps what the
// user made of it.
class BarClipboard : public QObject
{
    Q_OBJECT
public:
    BarClipboard(LowerCaseEntry& entry, ClipboardReader* reader, QObject* parent);

    // Nothing copied is reported before the bar's first show.
    void setReady() { m_ready = true; }
    bool ready() const { return m_ready; }
    void setWatching(bool watch);
    // Reads the clipboard; onText runs only when the entry is as it was.
    void readUnlessTyped(std::function<void(const QString& text)> onText);

signals:
    // New text on the clipboard, or what was there when watching began.
    void textCopied(const QString& text);

private:
    LowerCaseEntry& m_entry;
    ClipboardWatcher* m_watcher;
    bool m_ready = false;
};

} // namespace kvel
