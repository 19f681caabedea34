// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "shell/clipboard/ClipboardReader.h"

class QMimeData;

namespace kvel {

// Reads through QClipboard, which waits for the owner on the caller's
// thread: only for platforms where the clipboard never has a foreign owner
// that could keep it waiting (offscreen). Answers in the next event-loop pass
// like a real read.
class QtClipboardReader : public ClipboardReader
{
    Q_OBJECT

public:
    using ClipboardReader::ClipboardReader;

    void readText(QClipboard::Mode mode, Done done) override;

    // The plain text of clipboard data, when it holds one: pictures, files and
    // password-manager secrets are no phrase.
    static std::optional<QString> plainText(const QMimeData* data);
};

} // namespace kvel
