// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "app/Program.h"
#include "core/strings/StringTable.h"
#include "phrasebar/BarMenus.h"
#include "phrasebar/LowerCaseEntry.h"
#include "phrasebar/TKvelMainForm.h"
#include "support/FakeDesktop.h"
#include "support/QtPrinters.h"
#include "support/TestDictionary.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace kvel::test {

// The program on a small dictionary of its own and a fake desktop, with its
// settings file in a temporary folder; tray and start-up extras off so only
// the bar shows.
class BarTest : public testing::Test
{
protected:
    void SetUp() override
    {
        using namespace Qt::StringLiterals;
        SetLanguageOffset(0);
        paths = {dir.filePath(u"kvel.ini"_s), dir.filePath(u"kvel.mdb"_s)};
        writeDictionary(paths.dictionaryFile, rows());
        ASSERT_NO_FATAL_FAILURE(writeSettingsFile());
        desktop = std::make_unique<FakeDesktop>(trayAvailable());
        program = std::make_unique<Program>(paths, desktop->services());
        bar = &program->bar();
        tray = desktop->tray;
        program->start();
        QCoreApplication::processEvents(); // the first activation runs right after the show
    }

    void TearDown() override
    {
        bar = nullptr;
        program.reset();
        SetLanguageOffset(0);
    }

    virtual void writeSettingsFile()
    {
        QFile ini(paths.settingsFile);
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write(initialSettings());
    }

    virtual QByteArray initialSettings() const
    {
        return "[Preferences]\nTray=0\nAutoStart=0\nIE=0\nTips=0\nClipboard=0\n";
    }

    virtual bool trayAvailable() const { return false; }

    virtual QList<Row> rows() const
    {
        using namespace Qt::StringLiterals;
        return {
            {u"house"_s, u"kuća; dom"_s, -1},
            {u"housewife"_s, u"domaćica"_s, -1},
            {u"boathouse"_s, u"kućica za čamce"_s, -1},
            {u"kuća"_s, u"house; home"_s, 0},
            {u"dom"_s, u"home; house"_s, 0},
            {u"cat"_s, u"mačka"_s, -1},
        };
    }

    // Types like a keyboard, letters outside ASCII included.
    void type(const QString& text)
    {
        for (const QChar c : text) {
            if (c.unicode() < 128)
                QTest::keyClick(bar->entry(), c.toLatin1());
            else
                QTest::sendKeyEvent(QTest::Click, bar->entry(), Qt::Key_unknown, QString(c),
                                    Qt::NoModifier);
        }
    }
    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(bar->entry(), k, modifiers);
    }
    TBalloonForm& balloon() { return *bar->balloon(); }

    QTemporaryDir dir;
    BarPaths paths;
    std::unique_ptr<FakeDesktop> desktop;
    std::unique_ptr<Program> program;
    TKvelMainForm* bar = nullptr; // the program's
    FakeTrayIcon* tray = nullptr; // the bar's
};

} // namespace kvel::test
