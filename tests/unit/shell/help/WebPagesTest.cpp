// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/help/WebPages.h"

#include "support/LanguageGuard.h"
#include "support/QtPrinters.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using kvel::InterfaceLanguage;
using kvel::WebPage;

namespace {

struct PageCase
{
    InterfaceLanguage language;
    WebPage page;
    QString url;
};

class WebPageUrl : public testing::TestWithParam<PageCase>
{
};

TEST_P(WebPageUrl, ResolvesThePathOfTheInterfaceLanguage)
{
    const PageCase& c = GetParam();
    kvel::test::LanguageGuard language(c.language);
    EXPECT_EQ(kvel::webPageUrl(c.page, u"/usr/share/doc/kvel"_s).toString(), c.url);
}

INSTANTIATE_TEST_SUITE_P(
    Pages, WebPageUrl,
    testing::Values(PageCase{InterfaceLanguage::Serbian, WebPage::Home,
                             u"file:///usr/share/doc/kvel/sr/index.html"_s},
                    PageCase{InterfaceLanguage::English, WebPage::Home,
                             u"file:///usr/share/doc/kvel/en/index.html"_s},
                    PageCase{InterfaceLanguage::Serbian, WebPage::WhatsNew,
                             u"file:///usr/share/doc/kvel/sr/news.html"_s},
                    PageCase{InterfaceLanguage::English, WebPage::WhatsNew,
                             u"file:///usr/share/doc/kvel/en/news.html"_s},
                    PageCase{InterfaceLanguage::English, WebPage::ThisProject,
                             u"file:///usr/share/doc/kvel/en/project.html"_s},
                    PageCase{InterfaceLanguage::Serbian, WebPage::TechnicalSupport,
                             u"file:///usr/share/doc/kvel/sr/support.html"_s},
                    PageCase{InterfaceLanguage::English, WebPage::TechnicalSupport,
                             u"file:///usr/share/doc/kvel/en/support.html"_s}));

class DocumentationDir : public testing::Test
{
protected:
    QTemporaryDir root;
    QString bin() const { return root.filePath(u"prefix/bin"_s); }
    void makeDir(const QString& relative) { ASSERT_TRUE(QDir(root.path()).mkpath(relative)); }
};

TEST_F(DocumentationDir, PrefersTheFolderBesideTheProgram)
{
    makeDir(u"prefix/bin/doc"_s);
    makeDir(u"prefix/share/doc/kvel"_s);
    EXPECT_EQ(kvel::documentationDir(bin()), root.filePath(u"prefix/bin/doc"_s));
}

TEST_F(DocumentationDir, FindsTheInstalledFolder)
{
    makeDir(u"prefix/bin"_s);
    makeDir(u"prefix/share/doc/kvel"_s);
    EXPECT_EQ(kvel::documentationDir(bin()), root.filePath(u"prefix/share/doc/kvel"_s));
}

TEST_F(DocumentationDir, FallsBackToTheFolderBesideTheProgram)
{
    makeDir(u"prefix/bin"_s);
    EXPECT_EQ(kvel::documentationDir(bin()), root.filePath(u"prefix/bin/doc"_s));
}

} // namespace
