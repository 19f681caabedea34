// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/wayland/OfferedText.h"

#include <QString>

namespace kvel {

namespace {

bool isPlainTextOnly(const QList<QByteArray>& offeredTypes)
{
    for (const QByteArray& type : offeredTypes) {
        const QByteArray lower = type.toLower();
        if (lower == QByteArray(kPasswordManagerHint).toLower() || lower == "text/uri-list" ||
            lower.startsWith("image/"))
            return false;
    }
    return true;
}

} // namespace

std::optional<QByteArray> textMimeType(const QList<QByteArray>& offeredTypes)
{
    if (!isPlainTextOnly(offeredTypes))
        return std::nullopt;
    static const QList<QByteArray> preferred{"text/plain;charset=utf-8", "text/plain",
                                             "UTF8_STRING", "TEXT"};
    for (const QByteArray& wanted : preferred) {
        for (const QByteArray& type : offeredTypes) {
            if (type.compare(wanted, Qt::CaseInsensitive) == 0)
                return type;
        }
    }
    return std::nullopt;
}

QString offeredText(const QByteArray& data)
{
    // A cut copy may end inside a character: the partial tail is dropped.
    qsizetype lead = data.size() - 1;
    while (lead >= 0 && data.size() - lead < 4 && (uchar(data[lead]) & 0xC0) == 0x80)
        --lead;
    qsizetype end = data.size();
    if (lead >= 0) {
        const uchar first = uchar(data[lead]);
        const qsizetype length = first >= 0xF0 ? 4 : first >= 0xE0 ? 3 : first >= 0xC0 ? 2 : 1;
        if (data.size() - lead < length)
            end = lead;
    }
    return QString::fromUtf8(data.first(end));
}

} // namespace kvel
