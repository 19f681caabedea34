// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/clipboard/X11TextTargets.h"

#include "shell/wayland/OfferedText.h"

namespace kvel {

namespace {

bool isUtf8Type(const QByteArray& type)
{
    return type == "UTF8_STRING" ||
           type.compare("text/plain;charset=utf-8", Qt::CaseInsensitive) == 0 ||
           type == "text/plain";
}

} // namespace

std::optional<X11TextRequest> x11TextRequest(const QList<QByteArray>& targets)
{
    X11TextRequest request;
    for (const QByteArray& target : targets) {
        const QByteArray lower = target.toLower();
        if (lower == "text/uri-list" || lower.startsWith("image/"))
            return std::nullopt;
        if (target == kPasswordManagerHint)
            request.askSecret = true;
    }
    // TEXT lets the owner choose the encoding; plain "text/plain" is UTF-8 by
    // custom only.
    static const QList<QByteArray> preferred{"UTF8_STRING", "text/plain;charset=utf-8", "STRING",
                                             "TEXT", "text/plain"};
    for (const QByteArray& wanted : preferred) {
        for (const QByteArray& target : targets) {
            if (target.compare(wanted, Qt::CaseInsensitive) == 0) {
                request.target = target;
                return request;
            }
        }
    }
    return std::nullopt;
}

QList<QByteArray> x11TargetsWithoutList()
{
    return {"UTF8_STRING", "STRING"};
}

std::optional<QString> x11Text(const QByteArray& type, const QByteArray& data)
{
    if (isUtf8Type(type))
        return offeredText(data);
    // Compound text without escape sequences is Latin-1, like STRING.
    if (type == "STRING" || (type == "COMPOUND_TEXT" && !data.contains('\x1b')))
        return QString::fromLatin1(data);
    return std::nullopt;
}

} // namespace kvel
