// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/settings/IniFile.h"

#include "SettingsFiles.h"
#include "shell/settings/HandOver.h"
#include "shell/settings/KvelSettings.h"
#include "support/QtPrinters.h"

#include <QLockFile>
#include <QTemporaryDir>
#include <future>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace kvel;
using namespace kvel::test;
using namespace Qt::StringLiterals;

namespace {

class IniFileTest : public testing::Test
{
public:
    QString path() const { return dir.filePath(u"kvel.ini"_s); }

    QTemporaryDir dir;
};

} // namespace

TEST_F(IniFileTest, MissingFileReadsAsAnEmptyDocument)
{
    const std::optional<IniDocument> ini = readIniFile(path());
    ASSERT_TRUE(ini.has_value());
    EXPECT_EQ(ini->toText(), QString());
}

TEST_F(IniFileTest, FolderInPlaceOfTheFileCannotBeReadOrReplaced)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"kvel.ini"_s));
    EXPECT_FALSE(readIniFile(path()).has_value());
    EXPECT_EQ(updateIniFile(path(), [](IniDocument& ini) { ini.setValue(u"A", u"k", u"v"_s); }),
              IniUpdate::Failed);
}

// A pipe in the file's place would block the start until someone writes to it.
TEST_F(IniFileTest, PipeInPlaceOfTheFileCannotBeRead)
{
    ASSERT_EQ(::mkfifo(path().toLocal8Bit().constData(), 0600), 0);
    auto reading = std::async(std::launch::async, [this] { return readIniFile(path()); });
    if (reading.wait_for(std::chrono::seconds(10)) == std::future_status::timeout) {
        // Lets the blocked read end, so the test can.
        QFile writer(path());
        (void)writer.open(QIODevice::WriteOnly);
        writer.close();
        FAIL() << "reading a pipe blocked";
    }
    EXPECT_FALSE(reading.get().has_value());
}

// A hand-over must get through a lock another start keeps for a moment.
TEST_F(IniFileTest, HandOverWaitsOutAShortLock)
{
    auto otherStart = std::make_unique<QLockFile>(path() + u".lock"_s);
    ASSERT_TRUE(otherStart->lock());
    std::thread release([&otherStart] {
        std::this_thread::sleep_for(std::chrono::milliseconds(1500));
        otherStart->unlock();
    });
    const IniUpdate result =
        updateIniFile(path(), [](IniDocument& ini) { ini.setValue(u"IE", u"ParamCount", u"1"_s); });
    release.join();
    EXPECT_EQ(result, IniUpdate::Written);
}

TEST_F(IniFileTest, ReadsUtf8AndSkipsAByteOrderMark)
{
    writeBytes(path(), "\xEF\xBB\xBF[Recent]\nBth1=\xC5\xA1kola\n");
    EXPECT_EQ(readIniFile(path())->value(u"Recent", u"Bth1"), u"škola"_s);
}

TEST_F(IniFileTest, WindowsCodePageFileIsReadAndWrittenBackAsUtf8)
{
    // "Škola čćđšž" in Windows-1250, as an older Windows installation stored it.
    writeBytes(path(), "[Recent]\r\nBth1=\x8akola \xe8\xe6\xf0\x9a\x9e\r\n");
    EXPECT_EQ(readIniFile(path())->value(u"Recent", u"Bth1"), u"Škola čćđšž"_s);

    ASSERT_EQ(updateIniFile(path(),
                            [](IniDocument& ini) { ini.setValue(u"Recent", u"BthCount", u"1"_s); }),
              IniUpdate::Written);
    EXPECT_EQ(readBytes(path()),
              "[Recent]\r\nBth1=\xC5\xA0kola \xC4\x8D\xC4\x87\xC4\x91\xC5\xA1\xC5\xBE\r\n"
              "BthCount=1\r\n");
}

TEST_F(IniFileTest, UpdateCreatesTheFileAndItsFolder)
{
    const QString nested = dir.filePath(u"config/kvel/kvel.ini"_s);
    ASSERT_EQ(updateIniFile(nested, [](IniDocument& ini) { ini.setValue(u"A", u"k", u"v"_s); }),
              IniUpdate::Written);
    EXPECT_EQ(readBytes(nested), "[A]\nk=v\n");
}

TEST_F(IniFileTest, UpdateKeepsWhatItDoesNotChangeAndLeavesNoOtherFiles)
{
    writeBytes(path(), "; mine\n[Mine]\nx=1\n[IE]\nParamCount=2\n");
    ASSERT_EQ(
        updateIniFile(path(), [](IniDocument& ini) { ini.setValue(u"Window", u"Left", u"4"_s); }),
        IniUpdate::Written);
    EXPECT_EQ(readBytes(path()), "; mine\n[Mine]\nx=1\n[IE]\nParamCount=2\n[Window]\nLeft=4\n");
    EXPECT_EQ(filesIn(dir.path()), QStringList{u"kvel.ini"_s}) << "no temporary or lock file";
}

TEST_F(IniFileTest, ConcurrentUpdatesLoseNothing)
{
    constexpr int kUpdates = 40;
    const auto writer = [this](QString prefix) {
        for (int i = 0; i < kUpdates; ++i) {
            updateIniFile(path(), [&](IniDocument& ini) {
                ini.setValue(u"Keys", prefix + QString::number(i), QString::number(i));
            });
        }
    };
    std::thread first(writer, u"first"_s);
    std::thread second(writer, u"second"_s);
    first.join();
    second.join();

    const IniDocument ini = *readIniFile(path());
    for (int i = 0; i < kUpdates; ++i) {
        EXPECT_EQ(ini.value(u"Keys", u"first"_s + QString::number(i)), QString::number(i));
        EXPECT_EQ(ini.value(u"Keys", u"second"_s + QString::number(i)), QString::number(i));
    }
}

// A full disk stops the write of the new text: the old file must stay whole.
TEST_F(IniFileTest, FailedWriteLeavesTheOldFileWhole)
{
    const QString small = dir.filePath(u"small"_s);
    ASSERT_TRUE(QDir().mkpath(small));
    if (::mount("tmpfs", small.toLocal8Bit().constData(), "tmpfs", 0, "size=16k") != 0)
        GTEST_SKIP() << "needs the right to mount a small file system";
    const QString file = small + u"/kvel.ini"_s;
    const QByteArray old = "[Window]\nLeft=1\n" + QByteArray(9000, ';') + "\n";
    writeBytes(file, old);

    const IniUpdate saved = updateIniFile(file, [](IniDocument& ini) {
        ini.setValue(u"Window", u"Left", u"2"_s);
        ini.setValue(u"Window", u"Top", QString(9000, u'x'));
    });
    const QByteArray after = readBytes(file);
    const QStringList files = filesIn(small);
    ::umount(small.toLocal8Bit().constData());

    EXPECT_EQ(saved, IniUpdate::Failed);
    EXPECT_EQ(after, old);
    EXPECT_EQ(files, QStringList{u"kvel.ini"_s});
}

// Every write of the settings file puts a new file in its place: a reader
// that has the old one open, or a hard link to it, keeps the old text whole.
TEST_F(IniFileTest, EverySaveReplacesTheFileInsteadOfWritingIntoIt)
{
    const std::function<bool(const QString&)> saves[] = {
        [](const QString& file) {
            return updateIniFile(file, [](IniDocument& ini) {
                       ini.setValue(u"Window", u"Left", u"2"_s);
                   }) == IniUpdate::Written;
        },
        [](const QString& file) {
            KvelSettings settings;
            return SaveSettings(file, settings, QPoint(2, 3)) == IniUpdate::Written;
        },
        [](const QString& file) { return writeHandOver(file, {u"house"_s}); },
    };
    const QByteArray old = "[Window]\nLeft=1\n";
    const QString kept = dir.filePath(u"kept.ini"_s);
    for (std::size_t save = 0; save < std::size(saves); ++save) {
        SCOPED_TRACE(save);
        QFile::remove(path());
        QFile::remove(kept);
        writeBytes(path(), old);
        ASSERT_EQ(
            ::link(QFile::encodeName(path()).constData(), QFile::encodeName(kept).constData()), 0);
        struct stat before = {};
        ASSERT_EQ(::stat(QFile::encodeName(path()).constData(), &before), 0);

        ASSERT_TRUE(saves[save](path()));
        struct stat after = {};
        ASSERT_EQ(::stat(QFile::encodeName(path()).constData(), &after), 0);
        EXPECT_NE(after.st_ino, before.st_ino);
        EXPECT_NE(readBytes(path()), old);
        EXPECT_EQ(readBytes(kept), old);
    }
}
