// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QClipboard>
#include <QObject>
#include <QString>
#include <functional>
#include <optional>

namespace kvel {

// Reads the plain text of the clipboard (or of the mouse selection) without
// ever making the caller wait: the program that owns it answers when it
// answers, or never. The
// answer comes back later on the reader's thread, as the text or as nothing
// (no plain text, a password-manager secret, no owner, no answer in time).
class ClipboardReader : public QObject
{
    Q_OBJECT

public:
    using Done = std::function<void(const std::optional<QString>& text)>;

    using QObject::QObject;

    // `done` gets what a read started after this call finds; requests made
    // while a read runs share the next one.
    virtual void readText(QClipboard::Mode mode, Done done) = 0;
};

// The X11 reader on the xcb platform, the Qt clipboard's own reader elsewhere
// (offscreen, where the clipboard lives in the program itself).
ClipboardReader* createClipboardReader(QObject* parent);

} // namespace kvel
