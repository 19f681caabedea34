#include "ClipboardWatcher.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace kvel {

ClipboardWatcher::ClipboardWatcher(QObject* parent) : QObject(parent) {}

void ClipboardWatcher::setWatching(bool on)
{
    if (on == m_watching)
        return;
    m_watching = on;
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (on)
        connect(clipboard, &QClipboard::dataChanged, this, &ClipboardWatcher::clipboardChanged);
    else
        disconnect(clipboard, &QClipboard::dataChanged, this, &ClipboardWatcher::clipboardChanged);
}

std::optional<QString> ClipboardWatcher::plainText(const QMimeData* data)
{
    // A copied file or picture may carry a text form too; it is not a phrase.
    if (!data || !data->hasText() || data->hasUrls() || data->hasImage())
        return std::nullopt;
    return data->text();
}

std::optional<QString> ClipboardWatcher::currentText()
{
    return plainText(QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard));
}

void ClipboardWatcher::clipboardChanged()
{
    // Copying an entry from the bar itself is not a new phrase to look up.
    if (QGuiApplication::clipboard()->ownsClipboard())
        return;
    if (const std::optional<QString> text = currentText())
        emit textCopied(*text);
}

} // namespace kvel
