// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <optional>

namespace kvel {

// Password managers mark their copies with this type (value "secret"); a
// secret is never looked up.
inline constexpr char kPasswordManagerHint[] = "x-kde-passwordManagerHint";

// Copies larger than this are cut here: no phrase is that long, and a huge
// copy must not tie up the bar.
inline constexpr qsizetype kMaxOfferedTextBytes = 64 * 1024;

// The MIME type to read a new selection as, given the types it is offered
// in; nothing when it is no plain text: a secret, a file list or a picture
// (which carry a text form too), or no text form at all. UTF-8 is preferred.
std::optional<QByteArray> textMimeType(const QList<QByteArray>& offeredTypes);

// The bytes read from an offer as text; an incomplete last character (the
// copy was cut) is dropped.
QString offeredText(const QByteArray& data);

} // namespace kvel
