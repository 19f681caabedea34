#include "ClipboardWatcher.h"

#include "ClipboardBurst.h"
#include "ClipboardNotices.h"
#include "DesktopProbe.h"
#include "OfferedText.h"
#include "WaylandDataControlWatcher.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

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

ClipboardWatcher::ClipboardWatcher(QObject* parent)
    : QObject(parent), m_session(currentSession()),
      m_notices(new ClipboardNotices(kNoticesQuiet, kNoticesLongest, this)),
      m_burst(new ClipboardBurst(kBurstQuiet, this))
{
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

std::optional<QString> ClipboardWatcher::plainText(const QMimeData* data)
{
    // A copied file or picture may carry a text form too; it is not a phrase.
    if (!data || !data->hasText() || data->hasUrls() || data->hasImage())
        return std::nullopt;
    const QString hint = QString::fromLatin1(kPasswordManagerHint);
    if (data->hasFormat(hint) && data->data(hint) == "secret")
        return std::nullopt;
    return data->text();
}

std::optional<QString> ClipboardWatcher::currentText()
{
    return plainText(QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard));
}

void ClipboardWatcher::readClipboard()
{
    // Copying an entry from the bar itself is not a new phrase to look up.
    if (QGuiApplication::clipboard()->ownsClipboard())
        return;
    if (const std::optional<QString> text = currentText())
        m_burst->add(*text);
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
