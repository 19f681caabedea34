#pragma once

#include "SessionInfo.h"

#include <QObject>
#include <optional>

class QMimeData;

namespace kvel {

class ClipboardBurst;
class ClipboardNotices;
class WaylandDataControlWatcher;

// Tells the bar about every new text copied to the clipboard (the CLIPBOARD
// selection, not the mouse selection) while watching is on. Pictures, files,
// password-manager secrets and the program's own copies are not news. On a
// Wayland desktop that offers data control, copies made in Wayland programs
// are seen too; a burst of copies is told as its last text.
class ClipboardWatcher : public QObject
{
    Q_OBJECT
public:
    explicit ClipboardWatcher(QObject* parent = nullptr);

    void setWatching(bool on);
    bool isWatching() const { return m_watching; }

    // The clipboard's plain text, when it holds one.
    static std::optional<QString> currentText();
    static std::optional<QString> plainText(const QMimeData* data);

signals:
    void textCopied(const QString& text);

private:
    void readClipboard();
    void burstSettled(const QString& text);
    bool watchesWayland() const;

    const SessionInfo m_session;
    bool m_watching = false;
    ClipboardNotices* m_notices;
    ClipboardBurst* m_burst;
    WaylandDataControlWatcher* m_wayland = nullptr;
};

} // namespace kvel
