// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "shell/help/HelpFile.h"

namespace kvel {

// The help file's desktop services on freedesktop.org desktops: the file's MIME
// type from the shared MIME database, its default program from `xdg-mime`
// (asked directly, since `xdg-open` returns before it knows whether anything
// opened the file), and the HTML copy through Qt's URL handler.
class XdgHelpFileDesktop final : public HelpFileDesktop
{
public:
    bool fileExists(const QString& path) override;
    QString defaultViewer(const QString& path) override;
    bool openWith(const QString& desktopEntry, const QString& path) override;
    bool openInBrowser(const QString& htmlPath) override;
};

} // namespace kvel
