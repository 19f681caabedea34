// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "shell/clipboard/ClipboardReader.h"

#include <QByteArray>
#include <thread>
#include <vector>

namespace kvel {

// Reads the clipboard on a worker thread with a connection of its own to the
// X server, so an owner that answers slowly or never only delays the answer:
// the bar's own connection, and the window manager's pings on it, are never
// held up. One read runs at a time, with a deadline and a size limit.
class X11ClipboardReader : public ClipboardReader
{
    Q_OBJECT

public:
    X11ClipboardReader(QByteArray displayName, QObject* parent = nullptr);
    ~X11ClipboardReader() override;

    void readText(QClipboard::Mode mode, Done done) override;

private:
    struct Request
    {
        QClipboard::Mode mode;
        Done done;
    };

    void startRead();
    void readFinished(const std::optional<QString>& text);

    const QByteArray m_displayName;
    std::vector<Done> m_forRunningRead;
    std::vector<Request> m_forNextRead;
    std::jthread m_worker;
};

} // namespace kvel
