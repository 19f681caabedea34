// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/help/HelpFile.h"

#include "core/strings/StringTable.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace kvel {

namespace {

// Beside the program in a build; the installed documentation folder when the
// help file is only there.
QDir helpFileDir(const QString& executableDir, const QString& fileName)
{
    const QDir exe(executableDir);
    const QDir installed(QDir::cleanPath(exe.filePath(u"../share/doc/kvel"_s)));
    if (!exe.exists(fileName) && installed.exists(fileName))
        return installed;
    return exe;
}

} // namespace

HelpFilePaths helpFilePaths(const QString& executableDir)
{
    const QString fileName = LoadText(StringId::HelpFileName);
    const QDir dir = helpFileDir(executableDir, fileName);
    const QString language = LanguageOffset() == 0 ? u"sr"_s : u"en"_s;
    return {dir.filePath(fileName), dir.filePath(u"kvel-help/"_s + language + u"/index.html"_s)};
}

HelpFilePlan planHelpFileOpening(const HelpFileFacts& facts)
{
    if (!facts.chmExists)
        return {{}, HelpFileProblem::Missing};
    HelpFilePlan plan;
    if (!facts.chmViewer.isEmpty())
        plan.steps << HelpFileStep::OpenChmInViewer;
    if (facts.htmlExists)
        plan.steps << HelpFileStep::OpenHtmlInBrowser;
    return plan;
}

std::optional<HelpFileProblem> openHelpFile(HelpFileDesktop& desktop, const HelpFilePaths& paths)
{
    HelpFileFacts facts;
    facts.chmExists = desktop.fileExists(paths.chm);
    if (facts.chmExists) {
        facts.chmViewer = desktop.defaultViewer(paths.chm);
        facts.htmlExists = desktop.fileExists(paths.html);
    }
    const HelpFilePlan plan = planHelpFileOpening(facts);
    for (HelpFileStep step : plan.steps) {
        const bool opened = step == HelpFileStep::OpenChmInViewer
                                ? desktop.openWith(facts.chmViewer, paths.chm)
                                : desktop.openInBrowser(paths.html);
        if (opened)
            return std::nullopt;
    }
    return plan.problem;
}

} // namespace kvel
