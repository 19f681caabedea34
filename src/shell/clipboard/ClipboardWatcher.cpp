// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/clipboard/ClipboardWatcher.h"

#include "shell/clipboard/ClipboardBurst.h"
#include "shell/clipboard/ClipboardNotices.h"
#include "shell/wayland/DesktopProbe.h"
#include "shell/wayland/WaylandDataControlWatcher.h"

#include <QClipboard>
#include <QGuiApplication>

using namespace std::chrono_literals;

namespace kvel {

namespace {

// Long enough to join one copy's notices from XWayland and from data control,
// short enough to go unnoticed.
constexpr auto kBurstQuiet = 50ms;
// Change notices are read once they pause this long, or this long after the
// first one while they keep coming.
constexpr auto kNoticesQuiet = 20ms;
constexpr auto kNoticesLongest = 500ms;

} // namespace

ClipboardWatcher::ClipboardWatcher(QObject* parent, ClipboardReader* reader)
    : QObject(parent), m_session(currentSession()),
      m_reader(reader ? reader : createClipboardReader(this)),
      m_notices(new ClipboardNotices(kNoticesQuiet, kNoticesLongest, this)),
      m_burst(new ClipboardBurst(kBurstQuiet, this))
{
    m_reader->setParent(this);
    connect(m_notices, &ClipboardNotices::settled, this, &ClipboardWatcher::readClipboard);
    connect(m_burst, &ClipboardBurst::settled, this, &ClipboardWatcher::burstSettled);
}

void ClipboardWatcher::setWatching(bool on)
{
    if (on == m_watching)
        return;
    m_watching = on;
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (on) {
        connect(clipboard, &QClipboard::dataChanged, m_notices, &ClipboardNotices::notice);
        if (watchesWayland()) {
            if (!m_wayland) {
                m_wayland = new WaylandDataControlWatcher(this);
                connect(m_wayland, &WaylandDataControlWatcher::textCopied, m_burst,
                        &ClipboardBurst::add);
            }
            m_wayland->start(m_session.waylandDisplay);
        }
    } else {
        disconnect(clipboard, &QClipboard::dataChanged, m_notices, &ClipboardNotices::notice);
        if (m_wayland)
            m_wayland->stop();
        m_notices->clear();
        m_burst->clear();
    }
}

bool ClipboardWatcher::watchesWayland() const
{
    return m_session.type == SessionType::Wayland && onRealDesktop();
}

void ClipboardWatcher::readText(QClipboard::Mode mode,
                                std::function<void(const QString& text)> onText)
{
    m_reader->readText(mode, [onText = std::move(onText)](const std::optional<QString>& text) {
        if (text)
            onText(*text);
    });
}

void ClipboardWatcher::readClipboard()
{
    // Copying an entry from the bar itself is not a new phrase to look up.
    if (QGuiApplication::clipboard()->ownsClipboard())
        return;
    m_reader->readText(QClipboard::Clipboard, [this](const std::optional<QString>& text) {
        // Watching may have stopped while the owner was answering.
        if (text && m_watching)
            m_burst->add(*text);
    });
}

void ClipboardWatcher::burstSettled(const QString& text)
{
    // The compositor hands the bar's own copies back through data control;
    // while the clipboard is still ours, the text is one of them.
    if (QGuiApplication::clipboard()->ownsClipboard())
        return;
    emit textCopied(text);
}

} // namespace kvel
