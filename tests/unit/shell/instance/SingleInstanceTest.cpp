// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/instance/SingleInstance.h"

#include "support/QtPrinters.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

using namespace kvel;
using namespace Qt::StringLiterals;

namespace {

// QLocalServer needs an event loop to deliver connections.
QCoreApplication& app()
{
    static int argc = 1;
    static char name[] = "instance_tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication instance(argc, argv);
    return instance;
}

class SingleInstanceTest : public testing::Test
{
protected:
    void SetUp() override { app(); }
    QTemporaryDir dir;
};

using Clients = std::vector<std::unique_ptr<QLocalSocket>>;

// Connections that send nothing, as a program holding them open would.
Clients idleClients(const QString& socketPath, int count)
{
    Clients clients;
    for (int i = 0; i < count; ++i) {
        clients.push_back(std::make_unique<QLocalSocket>());
        clients.back()->connectToServer(socketPath);
    }
    return clients;
}

qsizetype closedCount(const Clients& clients)
{
    return std::count_if(clients.begin(), clients.end(), [](const auto& client) {
        return client->state() == QLocalSocket::UnconnectedState;
    });
}

// Writes raw bytes to the socket as a foreign program would, then hangs up.
bool sendRaw(const QString& socketPath, const QByteArray& bytes)
{
    QLocalSocket client;
    client.connectToServer(socketPath);
    if (!client.waitForConnected(1000))
        return false;
    client.write(bytes);
    client.waitForBytesWritten(1000);
    client.disconnectFromServer();
    return true;
}

constexpr int kGenerousMs = 10000;

} // namespace

TEST_F(SingleInstanceTest, SecondInstanceDeliversEveryRequestToTheFirst)
{
    SingleInstance first(dir.path(), u"notkvel-test"_s);
    ASSERT_TRUE(first.becomePrimary());
    SingleInstance second(dir.path(), u"notkvel-test"_s);
    EXPECT_FALSE(second.becomePrimary());

    QSignalSpy spy(&first, &SingleInstance::requestReceived);
    for (const auto request :
         {InstanceRequest::ToggleBar, InstanceRequest::LookUpHandOver, InstanceRequest::Quit}) {
        ASSERT_TRUE(second.sendToPrimary(request));
        ASSERT_TRUE(spy.wait(2000));
        EXPECT_EQ(spy.takeFirst().at(0).value<InstanceRequest>(), request);
    }
}

TEST_F(SingleInstanceTest, OtherSessionsDoNotMeet)
{
    SingleInstance first(dir.path(), u"notkvel-_0"_s);
    SingleInstance other(dir.path(), u"notkvel-_99"_s);
    EXPECT_TRUE(first.becomePrimary());
    EXPECT_TRUE(other.becomePrimary());
}

TEST_F(SingleInstanceTest, LeftoversOfACrashedInstanceDoNotBlockTheNextStart)
{
    SingleInstance probe(dir.path(), u"notkvel-test"_s);
    // A lock naming a process that is gone, and a dead socket file beside it.
    QFile lock(probe.lockPath());
    ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
    lock.write("999999\nkvel\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    lock.close();
    QFile socket(probe.socketPath());
    ASSERT_TRUE(socket.open(QIODevice::WriteOnly));
    socket.close();

    SingleInstance next(dir.path(), u"notkvel-test"_s);
    ASSERT_TRUE(next.becomePrimary());
    SingleInstance second(dir.path(), u"notkvel-test"_s);
    QSignalSpy spy(&next, &SingleInstance::requestReceived);
    ASSERT_TRUE(second.sendToPrimary(InstanceRequest::ToggleBar));
    EXPECT_TRUE(spy.wait(2000));
}

TEST_F(SingleInstanceTest, NobodyListeningMeansTheRequestIsNotDelivered)
{
    SingleInstance lonely(dir.path(), u"notkvel-none"_s);
    EXPECT_FALSE(lonely.sendToPrimary(InstanceRequest::ToggleBar, 200));
}

TEST_F(SingleInstanceTest, GarbageOnTheSocketIsIgnored)
{
    SingleInstance first(dir.path(), u"notkvel-test"_s);
    ASSERT_TRUE(first.becomePrimary());
    QSignalSpy spy(&first, &SingleInstance::requestReceived);
    for (const QByteArray& junk :
         {QByteArray("hello\n"), QByteArray("2030\n"), QByteArray(4096, 'x'), QByteArray("-2027\n"),
          QByteArray("2027\0garbage", 12), QByteArray("2027\0", 5)}) {
        ASSERT_TRUE(sendRaw(first.socketPath(), junk));
        spy.wait(200);
    }
    EXPECT_EQ(spy.count(), 0);
}

TEST_F(SingleInstanceTest, ARequestEndsWithItsLineOrWithTheStream)
{
    SingleInstance first(dir.path(), u"notkvel-test"_s);
    ASSERT_TRUE(first.becomePrimary());
    QSignalSpy spy(&first, &SingleInstance::requestReceived);
    for (const QByteArray& request : {QByteArray("2029"), QByteArray("2028\r")}) {
        ASSERT_TRUE(sendRaw(first.socketPath(), request));
        ASSERT_TRUE(spy.wait(kGenerousMs)) << request.constData();
    }
    EXPECT_EQ(spy.at(0).at(0).value<InstanceRequest>(), InstanceRequest::Quit);
    EXPECT_EQ(spy.at(1).at(0).value<InstanceRequest>(), InstanceRequest::LookUpHandOver);
}

TEST_F(SingleInstanceTest, PastTheCapTheOldestConnectionsAreClosed)
{
    SingleInstance first(dir.path(), u"notkvel-test"_s);
    first.setConnectionDeadline(600000);
    ASSERT_TRUE(first.becomePrimary());
    const int count = 3 * SingleInstance::kMaxConnections;
    const Clients clients = idleClients(first.socketPath(), count);
    const qsizetype expectClosed = count - SingleInstance::kMaxConnections;
    EXPECT_TRUE(QTest::qWaitFor([&] { return closedCount(clients) >= expectClosed; }, kGenerousMs));
    QTest::qWait(200);
    EXPECT_EQ(closedCount(clients), expectClosed);
    EXPECT_EQ(first.openConnections(), SingleInstance::kMaxConnections);
    EXPECT_EQ(clients.back()->state(), QLocalSocket::ConnectedState);

    // While the idle ones stay, a request still gets through.
    SingleInstance second(dir.path(), u"notkvel-test"_s);
    QSignalSpy spy(&first, &SingleInstance::requestReceived);
    ASSERT_TRUE(second.sendToPrimary(InstanceRequest::LookUpHandOver));
    ASSERT_TRUE(spy.wait(kGenerousMs));
    EXPECT_EQ(spy.at(0).at(0).value<InstanceRequest>(), InstanceRequest::LookUpHandOver);
    EXPECT_LE(first.openConnections(), SingleInstance::kMaxConnections);
}

TEST_F(SingleInstanceTest, IdleConnectionsAreDroppedAtTheirDeadlineAndRequestsGetThrough)
{
    SingleInstance first(dir.path(), u"notkvel-test"_s);
    first.setConnectionDeadline(300);
    ASSERT_TRUE(first.becomePrimary());
    const Clients clients = idleClients(first.socketPath(), 200);
    EXPECT_TRUE(QTest::qWaitFor([&] { return closedCount(clients) == 200; }, kGenerousMs))
        << closedCount(clients) << " of 200 idle connections closed";
    EXPECT_EQ(first.openConnections(), 0);
    EXPECT_TRUE(first.isListening());

    SingleInstance second(dir.path(), u"notkvel-test"_s);
    QSignalSpy spy(&first, &SingleInstance::requestReceived);
    ASSERT_TRUE(second.sendToPrimary(InstanceRequest::LookUpHandOver));
    EXPECT_TRUE(spy.wait(kGenerousMs));
}

struct LostSocketCase
{
    const char* name;
    std::function<void(const QString& socketPath)> lose;
};

class LostSocketTest : public SingleInstanceTest, public testing::WithParamInterface<LostSocketCase>
{
};

const LostSocketCase kLostSocketCases[] = {
    {"Deleted",
     [](const QString& path) {
         ASSERT_TRUE(QFile::remove(path));
     }},
    {"ReplacedByAFile",
     [](const QString& path) {
         ASSERT_TRUE(QFile::remove(path));
         QFile file(path);
         ASSERT_TRUE(file.open(QIODevice::WriteOnly));
     }},
};

INSTANTIATE_TEST_SUITE_P(Cases, LostSocketTest, testing::ValuesIn(kLostSocketCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_P(LostSocketTest, TheRunningInstanceListensAgain)
{
    SingleInstance first(dir.path(), u"notkvel-test"_s);
    ASSERT_TRUE(first.becomePrimary());
    GetParam().lose(first.socketPath());
    SingleInstance second(dir.path(), u"notkvel-test"_s);
    EXPECT_FALSE(second.becomePrimary());
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return QFileInfo(first.socketPath()).isFile() == false &&
                   QFileInfo::exists(first.socketPath());
        },
        kGenerousMs));
    QSignalSpy spy(&first, &SingleInstance::requestReceived);
    ASSERT_TRUE(second.sendToPrimary(InstanceRequest::ToggleBar));
    EXPECT_TRUE(spy.wait(kGenerousMs));
}

TEST(SingleInstanceNames, SessionNameFollowsTheDisplay)
{
    qputenv("DISPLAY", ":12.0");
    EXPECT_EQ(SingleInstance::currentSessionName(), u"notkvel-_12"_s);
    qputenv("DISPLAY", "host/../x:3");
    EXPECT_EQ(SingleInstance::currentSessionName(), u"notkvel-host_.._x_3"_s);
}
