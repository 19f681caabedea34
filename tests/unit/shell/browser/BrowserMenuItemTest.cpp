// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/browser/BrowserMenuItem.h"

#include "support/QtPrinters.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kvel;
using namespace Qt::StringLiterals;

namespace {

struct ItemCase
{
    const char* name;
    int ieMenu;
    int interfaceLanguage;
    BrowserMenuItem item;
    QString recorded;
    QString caption;
};

class BrowserMenuItemTest : public testing::TestWithParam<ItemCase>
{
};

const ItemCase kItemCases[] = {
    {"OnSerbian", 1, 0, BrowserMenuItem::Serbian, u"sr"_s, u"Prevedi sa Kvel recnikom"_s},
    {"OnEnglish", 1, 1, BrowserMenuItem::English, u"en"_s, u"Translate with Kvel dictionary"_s},
    {"OffSerbian", 0, 0, BrowserMenuItem::None, u"none"_s, QString()},
    {"OffEnglish", 0, 1, BrowserMenuItem::None, u"none"_s, QString()},
    {"OnlyOneIsOn", 2, 0, BrowserMenuItem::None, u"none"_s, QString()},
    {"AnyOtherLanguageIsEnglish", 1, 7, BrowserMenuItem::English, u"en"_s,
     u"Translate with Kvel dictionary"_s},
};

INSTANTIATE_TEST_SUITE_P(Settings, BrowserMenuItemTest, testing::ValuesIn(kItemCases),
                         [](const auto& info) { return std::string(info.param.name); });

void writeRecord(const QString& configHome, const QByteArray& bytes)
{
    QDir().mkpath(configHome + u"/kvel"_s);
    QFile file(browserMenuRecordPath(configHome));
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

} // namespace

TEST_P(BrowserMenuItemTest, FollowsTheOptionAndTheInterfaceLanguage)
{
    const ItemCase& c = GetParam();
    const BrowserMenuItem item = activeBrowserMenuItem(c.ieMenu, c.interfaceLanguage);
    EXPECT_EQ(item, c.item);
    EXPECT_EQ(browserMenuItemName(item), c.recorded);
    EXPECT_EQ(browserMenuItemFromName(c.recorded), c.item);
    EXPECT_EQ(browserMenuCaption(item), c.caption);
}

TEST(BrowserMenuRecord, ReadsWhatWasRecorded)
{
    QTemporaryDir config;
    for (const auto& [bytes, item] :
         {std::pair{"sr\n", BrowserMenuItem::Serbian}, std::pair{"en", BrowserMenuItem::English},
          std::pair{"none\n", BrowserMenuItem::None}}) {
        writeRecord(config.path(), bytes);
        EXPECT_EQ(readBrowserMenuItem(config.path()), item) << bytes;
    }
}

TEST(BrowserMenuRecord, AnythingElseShowsNoItem)
{
    QTemporaryDir config;
    EXPECT_EQ(readBrowserMenuItem(config.path()), BrowserMenuItem::None) << "no record";
    for (const QByteArray& bytes : {QByteArray("SR\n"), QByteArray("sr en"), QByteArray(""),
                                    QByteArray("\xff\xfe"), QByteArray(100, 's')}) {
        writeRecord(config.path(), bytes);
        EXPECT_EQ(readBrowserMenuItem(config.path()), BrowserMenuItem::None) << bytes.constData();
    }
}
