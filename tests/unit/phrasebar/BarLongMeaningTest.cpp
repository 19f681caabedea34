// SPDX-License-Identifier: GPL-2.0-or-later
#include "BarTestFixture.h"
#include "lookup/engine/LookupEngine.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTextEdit>

using namespace kvel;
using namespace kvel::test;
using namespace Qt::StringLiterals;

namespace {

// Meanings far longer than the balloon shows, "m0001; m0002; ..." so that
// wrapping has places to cut.
QString longMeaning(int pieces)
{
    QStringList parts;
    for (int i = 1; i <= pieces; ++i)
        parts.append(u"m%1"_s.arg(i, 4, 10, QChar(u'0')));
    return parts.join(u"; "_s);
}

const QString kLong = longMeaning(900); // 6,298 characters

class BarLongMeaningTest : public BarTest, public testing::WithParamInterface<bool>
{
protected:
    QByteArray initialSettings() const override
    {
        return BarTest::initialSettings() + (GetParam() ? "Wrap=1\n" : "Wrap=0\n");
    }
    QList<Row> rows() const override { return {{u"huge"_s, kLong, -1}, {u"cat"_s, u"mačka"_s}}; }
};

} // namespace

TEST_P(BarLongMeaningTest, TheBalloonShowsAPartButCopiesTheWholeMeaning)
{
    type(u"huge"_s);
    ASSERT_TRUE(balloon().isVisible());
    QString shown = balloon().richEdit()->toPlainText();
    shown.remove(u'\n');
    EXPECT_EQ(shown, u"huge  "_s + kLong.left(kShownMeaningLength) + u'\u2026');

    key(Qt::Key_2, Qt::AltModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), kLong);
    key(Qt::Key_3, Qt::AltModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), u"huge\t"_s + kLong);
    key(Qt::Key_1, Qt::AltModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), u"huge"_s);
    // A hint shows the meanings of a picked phrase as the dictionary has them.
    EXPECT_EQ(bar->QueryMeaning(u"huge"_s, -1), kLong);
}

TEST_P(BarLongMeaningTest, AShortMeaningIsCopiedAsBefore)
{
    type(u"cat"_s);
    key(Qt::Key_3, Qt::AltModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), u"cat\tmačka"_s);
}

INSTANTIATE_TEST_SUITE_P(Wrapping, BarLongMeaningTest, testing::Bool());
