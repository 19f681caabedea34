// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/clipboard/X11ClipboardReader.h"

#include "shell/clipboard/X11SelectionText.h"
#include "shell/wayland/OfferedText.h"

using namespace std::chrono_literals;

namespace kvel {

namespace {

// A program that answers at all answers within milliseconds; past this the
// read is given up, as QClipboard gives up.
constexpr auto kReadDeadline = 5s;

} // namespace

X11ClipboardReader::X11ClipboardReader(QByteArray displayName, QObject* parent)
    : ClipboardReader(parent), m_displayName(std::move(displayName))
{}

X11ClipboardReader::~X11ClipboardReader()
{
    // The read sees the request within one of its short waits; its answer,
    // posted to this object, goes with it.
    m_worker.request_stop();
    if (m_worker.joinable())
        m_worker.join();
}

void X11ClipboardReader::readText(QClipboard::Mode mode, Done done)
{
    // The program's own copy is asked for like any other: Qt answers from the
    // event loop, and QClipboard could still wait on an owner that took over.
    m_forNextRead.push_back({mode, std::move(done)});
    if (m_forRunningRead.empty())
        startRead();
}

void X11ClipboardReader::startRead()
{
    if (m_worker.joinable())
        m_worker.join(); // its answer has arrived: it has ended or is ending
    // The requests for the same selection as the first waiting one share the read.
    const QClipboard::Mode mode = m_forNextRead.front().mode;
    std::vector<Request> later;
    for (Request& request : std::exchange(m_forNextRead, {})) {
        if (request.mode == mode)
            m_forRunningRead.push_back(std::move(request.done));
        else
            later.push_back(std::move(request));
    }
    m_forNextRead = std::move(later);
    const QByteArray selection = mode == QClipboard::Clipboard ? "CLIPBOARD" : "PRIMARY";
    m_worker = std::jthread([this, display = m_displayName, selection](std::stop_token stop) {
        const std::optional<QString> text =
            readX11SelectionText(display, selection, {kReadDeadline, kMaxOfferedTextBytes}, stop);
        QMetaObject::invokeMethod(
            this, [this, text] { readFinished(text); }, Qt::QueuedConnection);
    });
}

void X11ClipboardReader::readFinished(const std::optional<QString>& text)
{
    const std::vector<Done> done = std::exchange(m_forRunningRead, {});
    if (!m_forNextRead.empty())
        startRead();
    for (const Done& callback : done)
        callback(text);
}

} // namespace kvel
