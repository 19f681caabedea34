// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "shell/help/HelpContent.h"

#include <QList>
#include <QString>
#include <optional>

namespace kvel {

// The help file and its HTML copy for the program in `executableDir`: beside
// it, or in `../share/doc/kvel` when only that folder has the help file. The
// copy opens in the current interface language.
struct HelpFilePaths
{
    QString chm;
    QString html;
};
HelpFilePaths helpFilePaths(const QString& executableDir);

// What the desktop says about the help file before anything is opened.
struct HelpFileFacts
{
    bool chmExists = false;
    QString chmViewer; // the desktop entry of the default program for CHM files, or empty
    bool htmlExists = false;
};

enum class HelpFileStep
{
    OpenChmInViewer,
    OpenHtmlInBrowser,
};

// The steps to try in order until one succeeds, and the notice when none does.
struct HelpFilePlan
{
    QList<HelpFileStep> steps;
    HelpFileProblem problem = HelpFileProblem::NoViewer;

    bool operator==(const HelpFilePlan&) const = default;
};

HelpFilePlan planHelpFileOpening(const HelpFileFacts& facts);

// The desktop services the help file needs; the platform implements them.
class HelpFileDesktop
{
public:
    virtual ~HelpFileDesktop() = default;
    virtual bool fileExists(const QString& path) = 0;
    // The desktop entry (a .desktop file path) that opens files like `path`, or empty.
    virtual QString defaultViewer(const QString& path) = 0;
    virtual bool openWith(const QString& desktopEntry, const QString& path) = 0;
    virtual bool openInBrowser(const QString& htmlPath) = 0;
};

// Opens the help file; nothing when it opened, else the notice to show.
std::optional<HelpFileProblem> openHelpFile(HelpFileDesktop& desktop, const HelpFilePaths& paths);

} // namespace kvel
