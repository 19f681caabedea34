// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/help/HelpFile.h"

#include "support/LanguageGuard.h"
#include "support/QtPrinters.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>

using namespace Qt::StringLiterals;
using kvel::HelpFileFacts;
using kvel::HelpFilePlan;
using kvel::HelpFileProblem;
using kvel::HelpFileStep;

namespace {

struct PlanCase
{
    const char* name;
    HelpFileFacts facts;
    HelpFilePlan plan;
};

class HelpFilePlanning : public testing::TestWithParam<PlanCase>
{
};

TEST_P(HelpFilePlanning, TriesViewerThenBrowserThenNotice)
{
    const PlanCase& c = GetParam();
    const HelpFilePlan plan = kvel::planHelpFileOpening(c.facts);
    EXPECT_EQ(plan.steps, c.plan.steps);
    EXPECT_EQ(plan.problem, c.plan.problem);
}

const QString Viewer = u"/usr/share/applications/xchm.desktop"_s;

INSTANTIATE_TEST_SUITE_P(
    Facts, HelpFilePlanning,
    testing::Values(
        PlanCase{"NoHelpFile", {false, {}, false}, {{}, HelpFileProblem::Missing}},
        PlanCase{"NoHelpFileButHtmlCopy", {false, Viewer, true}, {{}, HelpFileProblem::Missing}},
        PlanCase{"ViewerAndCopy",
                 {true, Viewer, true},
                 {{HelpFileStep::OpenChmInViewer, HelpFileStep::OpenHtmlInBrowser},
                  HelpFileProblem::NoViewer}},
        PlanCase{"ViewerOnly",
                 {true, Viewer, false},
                 {{HelpFileStep::OpenChmInViewer}, HelpFileProblem::NoViewer}},
        PlanCase{"CopyOnly",
                 {true, {}, true},
                 {{HelpFileStep::OpenHtmlInBrowser}, HelpFileProblem::NoViewer}},
        PlanCase{"Neither", {true, {}, false}, {{}, HelpFileProblem::NoViewer}}),
    [](const testing::TestParamInfo<PlanCase>& info) { return info.param.name; });

// A desktop whose answers the test sets and whose calls it records.
class FakeDesktop : public kvel::HelpFileDesktop
{
public:
    QSet<QString> files;
    QString viewer;
    bool viewerOpens = true;
    bool browserOpens = true;
    QStringList calls;

    bool fileExists(const QString& path) override { return files.contains(path); }
    QString defaultViewer(const QString& path) override
    {
        calls << u"viewer? "_s + path;
        return viewer;
    }
    bool openWith(const QString& desktopEntry, const QString& path) override
    {
        calls << u"open "_s + path + u" with "_s + desktopEntry;
        return viewerOpens;
    }
    bool openInBrowser(const QString& htmlPath) override
    {
        calls << u"browse "_s + htmlPath;
        return browserOpens;
    }
};

const kvel::HelpFilePaths Paths{u"/opt/kvel/kvel.chm"_s, u"/opt/kvel/kvel-help/en/index.html"_s};

struct OpenCase
{
    const char* name;
    bool chmExists;
    QString viewer;
    bool viewerOpens;
    bool htmlExists;
    bool browserOpens;
    std::optional<HelpFileProblem> result;
    QStringList calls;
};

class HelpFileOpening : public testing::TestWithParam<OpenCase>
{
};

TEST_P(HelpFileOpening, StopsAtTheFirstThatOpens)
{
    const OpenCase& c = GetParam();
    FakeDesktop desktop;
    if (c.chmExists)
        desktop.files << Paths.chm;
    if (c.htmlExists)
        desktop.files << Paths.html;
    desktop.viewer = c.viewer;
    desktop.viewerOpens = c.viewerOpens;
    desktop.browserOpens = c.browserOpens;
    EXPECT_EQ(kvel::openHelpFile(desktop, Paths), c.result);
    EXPECT_EQ(desktop.calls, c.calls);
}

const QString AskViewer = u"viewer? /opt/kvel/kvel.chm"_s;
const QString OpenChm = u"open /opt/kvel/kvel.chm with "_s + Viewer;
const QString Browse = u"browse /opt/kvel/kvel-help/en/index.html"_s;

INSTANTIATE_TEST_SUITE_P(
    Desktops, HelpFileOpening,
    testing::Values(
        OpenCase{"Missing", false, Viewer, true, true, true, HelpFileProblem::Missing, {}},
        OpenCase{"ViewerOpens", true, Viewer, true, true, true, std::nullopt, {AskViewer, OpenChm}},
        OpenCase{"ViewerFailsBrowserOpens",
                 true,
                 Viewer,
                 false,
                 true,
                 true,
                 std::nullopt,
                 {AskViewer, OpenChm, Browse}},
        OpenCase{
            "NoViewerBrowserOpens", true, {}, true, true, true, std::nullopt, {AskViewer, Browse}},
        OpenCase{"NoViewerBrowserFails",
                 true,
                 {},
                 true,
                 true,
                 false,
                 HelpFileProblem::NoViewer,
                 {AskViewer, Browse}},
        OpenCase{
            "NoViewerNoCopy", true, {}, true, false, true, HelpFileProblem::NoViewer, {AskViewer}},
        OpenCase{"AllFail",
                 true,
                 Viewer,
                 false,
                 true,
                 false,
                 HelpFileProblem::NoViewer,
                 {AskViewer, OpenChm, Browse}}),
    [](const testing::TestParamInfo<OpenCase>& info) { return info.param.name; });

TEST(HelpFilePaths, ChmBesideTheProgramAndTheCopyInTheInterfaceLanguage)
{
    const kvel::HelpFilePaths serbian = kvel::helpFilePaths(u"/opt/kvel"_s);
    EXPECT_EQ(serbian.chm, u"/opt/kvel/kvel.chm"_s);
    EXPECT_EQ(serbian.html, u"/opt/kvel/kvel-help/sr/index.html"_s);

    kvel::test::LanguageGuard english(kvel::InterfaceLanguage::English);
    const kvel::HelpFilePaths paths = kvel::helpFilePaths(u"/opt/kvel"_s);
    EXPECT_EQ(paths.chm, u"/opt/kvel/kvel.chm"_s);
    EXPECT_EQ(paths.html, u"/opt/kvel/kvel-help/en/index.html"_s);
}

class InstalledHelpFile : public testing::Test
{
protected:
    QTemporaryDir root;
    QString path(const QString& relative) const { return root.filePath(relative); }
    void makeFile(const QString& relative)
    {
        ASSERT_TRUE(QDir(root.path()).mkpath(QFileInfo(path(relative)).path()));
        QFile file(path(relative));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
};

TEST_F(InstalledHelpFile, FoundInTheDocumentationFolderOfTheInstallation)
{
    ASSERT_TRUE(QDir(root.path()).mkpath(u"usr/bin"_s));
    makeFile(u"usr/share/doc/kvel/kvel.chm"_s);
    kvel::test::LanguageGuard english(kvel::InterfaceLanguage::English);
    const kvel::HelpFilePaths paths = kvel::helpFilePaths(path(u"usr/bin"_s));
    EXPECT_EQ(paths.chm, path(u"usr/share/doc/kvel/kvel.chm"_s));
    EXPECT_EQ(paths.html, path(u"usr/share/doc/kvel/kvel-help/en/index.html"_s));
}

TEST_F(InstalledHelpFile, TheOneBesideTheProgramWins)
{
    makeFile(u"usr/bin/kvel.chm"_s);
    makeFile(u"usr/share/doc/kvel/kvel.chm"_s);
    const kvel::HelpFilePaths paths = kvel::helpFilePaths(path(u"usr/bin"_s));
    EXPECT_EQ(paths.chm, path(u"usr/bin/kvel.chm"_s));
    EXPECT_EQ(paths.html, path(u"usr/bin/kvel-help/sr/index.html"_s));
}

} // namespace
