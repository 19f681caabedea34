// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "core/strings/StringIds.h"

#include <QString>
#include <QUrl>

namespace kvel {

// The pages of "Visit our Web page"; the pages are the program's own
// documentation, one edition per interface language.
enum class WebPage
{
    Home,
    WhatsNew,
    ThisProject,
    TechnicalSupport,
};

// Where the documentation lives: "doc" beside the executable in a build, else
// the installed "<prefix>/share/doc/kvel" when the executable is in
// "<prefix>/bin". Falls back to the first when neither exists, so opening a
// page fails quietly.
QString documentationDir(const QString& executableDir);

// The page in the current interface language, as a local file URL; empty when
// the string table has no path for it.
QUrl webPageUrl(WebPage page, const QString& docDir);

} // namespace kvel
