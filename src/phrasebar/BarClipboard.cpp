// SPDX-License-Identifier: GPL-2.0-or-later
#include "phrasebar/BarClipboard.h"

#include "phrasebar/LowerCaseEntry.h"
#include "shell/clipboard/ClipboardWatcher.h"

namespace kvel {

BarClipboard::BarClipboard(LowerCaseEntry& entry, ClipboardReader* reader, QObject* parent)
    : QObject(parent), m_entry(entry), m_watcher(new ClipboardWatcher(this, reader))
{
    connect(m_watcher, &ClipboardWatcher::textCopied, this, &BarClipboard::textCopied);
    connect(&m_entry, &LowerCaseEntry::pasteRequested, this, [this](QClipboard::Mode mode) {
        const QString entryBefore = m_entry.text();
        m_watcher->readText(mode, [this, entryBefore](const QString& text) {
            if (m_entry.text() == entryBefore)
                m_entry.insertPasted(text);
        });
    });
}

void BarClipboard::setWatching(bool watch)
{
    const bool wasWatching = m_watcher->isWatching();
    m_watcher->setWatching(watch);
    // Starting to watch reports what is on the clipboard at that moment.
    if (watch && !wasWatching && m_ready) {
        m_watcher->readText(QClipboard::Clipboard, [this](const QString& text) {
            if (m_watcher->isWatching())
                emit textCopied(text);
        });
    }
}

void BarClipboard::readUnlessTyped(std::function<void(const QString& text)> onText)
{
    const QString entryBefore = m_entry.text();
    m_watcher->readText(QClipboard::Clipboard,
                        [this, entryBefore, onText = std::move(onText)](const QString& text) {
                            if (m_entry.text() == entryBefore)
                                onText(text);
                        });
}

} // namespace kvel
