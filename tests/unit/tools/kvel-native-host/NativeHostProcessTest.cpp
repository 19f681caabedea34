// SPDX-License-Identifier: GPL-2.0-or-later
// Runs the real kvel-native-host as a browser would, beside a stand-in "kvel"
// that records the arguments it was started with.
#include "support/QtPrinters.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <cstring>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

QByteArray framed(const QByteArray& body, quint32 length)
{
    QByteArray bytes(sizeof length, Qt::Uninitialized);
    std::memcpy(bytes.data(), &length, sizeof length);
    return bytes + body;
}

QByteArray framed(const QJsonObject& message)
{
    const QByteArray body = QJsonDocument(message).toJson(QJsonDocument::Compact);
    return framed(body, quint32(body.size()));
}

class NativeHostProcessTest : public testing::Test
{
public:
    void SetUp() override
    {
        ASSERT_TRUE(QFile::copy(QStringLiteral(KVEL_NATIVE_HOST), host()));
        // Each argument NUL-terminated, so that any character of a word shows.
        writeStandIn("for word in \"$@\"; do printf '%s\\0' \"$word\"; done > \"$0.part\"\n"
                     "mv \"$0.part\" \"$0.args\"\n");
        ASSERT_TRUE(QDir().mkpath(config()));
    }

    // The stand-in "kvel": a shell script with this body.
    void writeStandIn(const QByteArray& body)
    {
        QFile kvel(dir.filePath(u"kvel"_s));
        ASSERT_TRUE(kvel.open(QIODevice::WriteOnly | QIODevice::Truncate));
        kvel.write("#!/bin/sh\n" + body);
        kvel.close();
        ASSERT_TRUE(kvel.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    }

    // The text the stand-in wrote to kvel.<name>, once it is there.
    QByteArray standInRecord(const QString& name) const
    {
        const QString path = dir.filePath(u"kvel."_s + name);
        const QDeadlineTimer deadline(10000);
        while (!QFileInfo::exists(path) && !deadline.hasExpired())
            QThread::msleep(20);
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QString host() const { return dir.filePath(u"kvel-native-host"_s); }
    QString config() const { return dir.filePath(u"home/.config"_s); }
    QString argsFile() const { return dir.filePath(u"kvel.args"_s); }

    // Sends the bytes and closes the channel; the replies, each one parsed.
    QList<QJsonObject> converse(const QByteArray& input, int* exitCode = nullptr)
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"HOME"_s, dir.filePath(u"home"_s));
        environment.insert(u"XDG_CONFIG_HOME"_s, config());
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(dir.path());
        process.start(host(), {u"chrome-extension://gcofglnfkielhipkfpdkpldcffiebppb/"_s});
        EXPECT_TRUE(process.waitForStarted());
        process.write(input);
        process.closeWriteChannel();
        EXPECT_TRUE(process.waitForFinished(10000));
        if (exitCode)
            *exitCode = process.exitCode();

        QList<QJsonObject> replies;
        QByteArray output = process.readAllStandardOutput();
        while (output.size() >= 4) {
            quint32 length = 0;
            std::memcpy(&length, output.constData(), sizeof length);
            replies += QJsonDocument::fromJson(output.mid(4, length)).object();
            output.remove(0, 4 + qsizetype(length));
        }
        EXPECT_TRUE(output.isEmpty()) << "a reply was cut short";
        return replies;
    }

    // The stand-in runs detached: its record appears when it is done.
    std::optional<QStringList> argumentsGiven() const
    {
        const QDeadlineTimer deadline(10000);
        while (!QFileInfo::exists(argsFile()) && !deadline.hasExpired())
            QThread::msleep(20);
        QFile file(argsFile());
        if (!file.open(QIODevice::ReadOnly))
            return std::nullopt;
        QStringList words;
        for (const QByteArray& word : file.readAll().split('\0'))
            words += QString::fromUtf8(word);
        words.removeLast(); // after the last terminator
        return words;
    }

    QTemporaryDir dir;
};

} // namespace

TEST_F(NativeHostProcessTest, SelectedWordsReachTheDictionaryExactlyAndNothingRuns)
{
    const QString pwned = dir.filePath(u"pwned"_s);
    const QString text = u"it's \"quoted\"; rm -rf ~ ; $(touch "_s + pwned + u") `touch "_s +
                         pwned + u"` $(touch${IFS}"_s + pwned + u");touch${IFS}"_s + pwned +
                         u"\nnext\tline \\back\\slash | > < & * ? # čaša"_s;
    const QStringList expected{u"it's"_s,
                               u"\"quoted\";"_s,
                               u"rm"_s,
                               u"-rf"_s,
                               u"~"_s,
                               u";"_s,
                               u"$(touch"_s,
                               pwned + u")"_s,
                               u"`touch"_s,
                               pwned + u"`"_s,
                               u"$(touch${IFS}"_s + pwned + u");touch${IFS}"_s + pwned,
                               u"next"_s,
                               u"line"_s,
                               u"\\back\\slash"_s,
                               u"|"_s,
                               u">"_s,
                               u"<"_s,
                               u"&"_s,
                               u"*"_s,
                               u"?"_s,
                               u"#"_s,
                               u"čaša"_s};

    const QList<QJsonObject> replies =
        converse(framed({{u"action"_s, u"translate"_s}, {u"text"_s, text}}));
    ASSERT_EQ(replies.size(), 1);
    EXPECT_EQ(replies[0], (QJsonObject{{u"started"_s, true}}));
    EXPECT_EQ(argumentsGiven(), expected);
    EXPECT_FALSE(QFileInfo::exists(pwned)) << "a command in the page's text ran";
}

TEST_F(NativeHostProcessTest, StateFollowsTheRecordKvelWrote)
{
    QDir().mkpath(config() + u"/kvel"_s);
    QFile record(config() + u"/kvel/browser-menu"_s);
    ASSERT_TRUE(record.open(QIODevice::WriteOnly));
    record.write("en\n");
    record.close();

    const QList<QJsonObject> replies = converse(framed({{u"action"_s, u"state"_s}}));
    ASSERT_EQ(replies.size(), 1);
    EXPECT_EQ(replies[0], (QJsonObject{{u"item"_s, u"en"_s},
                                       {u"caption"_s, u"Translate with Kvel dictionary"_s}}));
}

TEST_F(NativeHostProcessTest, AnswersEveryMessageUntilTheChannelCloses)
{
    int exitCode = -1;
    const QList<QJsonObject> replies =
        converse(framed({{u"action"_s, u"state"_s}}) + framed("not json", 8) +
                     framed({{u"action"_s, u"translate"_s}, {u"text"_s, u"house"_s}}),
                 &exitCode);
    ASSERT_EQ(replies.size(), 3);
    EXPECT_EQ(replies[0].value(u"item"_s).toString(), u"none"_s);
    EXPECT_TRUE(replies[1].contains(u"error"_s));
    EXPECT_EQ(replies[2], (QJsonObject{{u"started"_s, true}}));
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(argumentsGiven(), QStringList{u"house"_s});
}

// A browser keeps the channel open and waits for each reply before it goes on.
TEST_F(NativeHostProcessTest, RepliesWhileTheChannelStaysOpen)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"XDG_CONFIG_HOME"_s, config());
    process.setProcessEnvironment(environment);
    process.start(host(), {u"chrome-extension://gcofglnfkielhipkfpdkpldcffiebppb/"_s});
    ASSERT_TRUE(process.waitForStarted());
    for (int round = 0; round < 2; ++round) {
        process.write(framed({{u"action"_s, u"state"_s}}));
        QByteArray output;
        quint32 length = 0;
        const QDeadlineTimer deadline(5000);
        while (!deadline.hasExpired()) {
            process.waitForReadyRead(100);
            output += process.readAllStandardOutput();
            if (output.size() >= 4)
                std::memcpy(&length, output.constData(), sizeof length);
            if (output.size() >= 4 && output.size() >= 4 + qsizetype(length))
                break;
        }
        ASSERT_GE(output.size(), 4 + qsizetype(length))
            << "no whole reply in round " << round << " while the channel is open";
        EXPECT_EQ(QJsonDocument::fromJson(output.mid(4, length)).object().value(u"item"_s),
                  u"none"_s);
    }
    process.closeWriteChannel();
    EXPECT_TRUE(process.waitForFinished(10000));
    EXPECT_EQ(process.exitCode(), 0);
}

TEST_F(NativeHostProcessTest, AHugeMessageIsRefusedWithoutReadingIt)
{
    int exitCode = 0;
    const QList<QJsonObject> replies = converse(framed("{}", 64u * 1024 * 1024), &exitCode);
    ASSERT_EQ(replies.size(), 1);
    EXPECT_TRUE(replies[0].contains(u"error"_s));
    EXPECT_NE(exitCode, 0);
    EXPECT_FALSE(QFileInfo::exists(argsFile()));
}

TEST_F(NativeHostProcessTest, AMissingDictionaryIsReportedNotHidden)
{
    ASSERT_TRUE(QFile::remove(dir.filePath(u"kvel"_s)));
    const QList<QJsonObject> replies =
        converse(framed({{u"action"_s, u"translate"_s}, {u"text"_s, u"house"_s}}));
    ASSERT_EQ(replies.size(), 1);
    EXPECT_FALSE(replies[0].value(u"started"_s).toBool(true));
}

TEST_F(NativeHostProcessTest, TheDictionaryGetsNoneOfTheBrowsersChannels)
{
    // /proc/$$ is the script's own shell, whatever a command's output goes to.
    writeStandIn("fds=\"$(readlink /proc/$$/fd/0) $(readlink /proc/$$/fd/1) "
                 "$(readlink /proc/$$/fd/2)\"\n"
                 "echo \"$fds\" > \"$0.part\"; mv \"$0.part\" \"$0.fds\"\n");
    const QList<QJsonObject> replies =
        converse(framed({{u"action"_s, u"translate"_s}, {u"text"_s, u"house"_s}}));
    ASSERT_EQ(replies.size(), 1);
    EXPECT_EQ(replies[0], (QJsonObject{{u"started"_s, true}}));
    EXPECT_EQ(standInRecord(u"fds"_s), "/dev/null /dev/null /dev/null\n");
}

TEST_F(NativeHostProcessTest, ADictionaryThatFailsAtOnceIsReported)
{
    writeStandIn("exit 3\n");
    const QList<QJsonObject> replies =
        converse(framed({{u"action"_s, u"translate"_s}, {u"text"_s, u"house"_s}}));
    ASSERT_EQ(replies.size(), 1);
    EXPECT_FALSE(replies[0].value(u"started"_s).toBool(true));
    EXPECT_TRUE(replies[0].contains(u"error"_s));
}

// A first start keeps running as the bar; the host answers and ends anyway.
TEST_F(NativeHostProcessTest, ADictionaryThatKeepsRunningIsReportedStarted)
{
    writeStandIn("echo $$ > \"$0.part\"; mv \"$0.part\" \"$0.pid\"\nexec sleep 60\n");
    int exitCode = -1;
    const QList<QJsonObject> replies =
        converse(framed({{u"action"_s, u"translate"_s}, {u"text"_s, u"house"_s}}), &exitCode);
    const qint64 pid = standInRecord(u"pid"_s).trimmed().toLongLong();
    ASSERT_GT(pid, 0);
    const bool running = ::kill(pid_t(pid), 0) == 0;
    ::kill(pid_t(pid), SIGKILL);
    ASSERT_EQ(replies.size(), 1);
    EXPECT_EQ(replies[0], (QJsonObject{{u"started"_s, true}}));
    EXPECT_EQ(exitCode, 0);
    EXPECT_TRUE(running) << "the host's end ended the dictionary";
}
