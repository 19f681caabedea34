#pragma once

#include <QObject>
#include <optional>

class QMimeData;

namespace kvel {

// Tells the bar about every new text copied to the clipboard (the CLIPBOARD
// selection, not the mouse selection) while watching is on. Pictures, files
// and the program's own copies are not news.
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
    void clipboardChanged();

    bool m_watching = false;
};

} // namespace kvel
