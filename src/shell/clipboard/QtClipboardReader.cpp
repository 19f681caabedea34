// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/clipboard/QtClipboardReader.h"

#include "shell/wayland/OfferedText.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QTimer>

namespace kvel {

void QtClipboardReader::readText(QClipboard::Mode mode, Done done)
{
    QTimer::singleShot(0, this, [mode, done = std::move(done)] {
        done(plainText(QGuiApplication::clipboard()->mimeData(mode)));
    });
}

std::optional<QString> QtClipboardReader::plainText(const QMimeData* data)
{
    // A copied file or picture may carry a text form too; it is not a phrase.
    if (!data || !data->hasText() || data->hasUrls() || data->hasImage())
        return std::nullopt;
    const QString hint = QString::fromLatin1(kPasswordManagerHint);
    if (data->hasFormat(hint) && data->data(hint) == "secret")
        return std::nullopt;
    return data->text();
}

} // namespace kvel
