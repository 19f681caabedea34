// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QList>
#include <QLocale>
#include <optional>

namespace kvel {

// The English locale to speak in, among those a speech engine offers: the
// current one when it already is English, else American, British or any other
// English in that order. Nothing when the engine has no English at all, so
// that its default voice stays.
std::optional<QLocale> englishLocale(const QList<QLocale>& available, const QLocale& current);

} // namespace kvel
