// SPDX-License-Identifier: GPL-2.0-or-later
#include "support/QtPrinters.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

// Started with no display, or one that cannot be opened, Kvel says so and
// ends with status 1; its words, "--help" among them, change nothing.
TEST(NoDisplayTest, AStartWithoutADisplayEndsWithAMessageAndStatusOne)
{
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    ASSERT_TRUE(QDir(home.path()).mkdir(u"runtime"_s));
    ASSERT_TRUE(QFile::setPermissions(home.filePath(u"runtime"_s),
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    struct Case
    {
        QString display; // empty: not set
        QStringList words;
        QString message;
    };
    const Case cases[] = {
        {u""_s, {}, u"kvel: no display to show the phrase bar on"_s},
        {u""_s, {u"--help"_s}, u"kvel: no display to show the phrase bar on"_s},
        {u":31999"_s, {u"house"_s}, u"kvel: the display cannot be opened (DISPLAY=\":31999\""_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.display.toStdString() + ' ' + c.words.join(u' ').toStdString());
        QProcessEnvironment environment;
        environment.insert(u"HOME"_s, home.path());
        environment.insert(u"XDG_CONFIG_HOME"_s, home.filePath(u"config"_s));
        environment.insert(u"XDG_RUNTIME_DIR"_s, home.filePath(u"runtime"_s));
        environment.insert(u"LANG"_s, u"C.UTF-8"_s);
        if (!c.display.isEmpty())
            environment.insert(u"DISPLAY"_s, c.display);
        QProcess kvel;
        kvel.setProcessEnvironment(environment);
        kvel.start(QStringLiteral(KVEL_PROGRAM), c.words);
        ASSERT_TRUE(kvel.waitForFinished(60000));
        const QString err = QString::fromLocal8Bit(kvel.readAllStandardError());
        EXPECT_EQ(kvel.exitStatus(), QProcess::NormalExit) << err.toStdString();
        EXPECT_EQ(kvel.exitCode(), 1);
        EXPECT_TRUE(err.contains(c.message)) << err.toStdString();
    }
}
