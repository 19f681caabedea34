#include "SingleInstance.h"

#include "QtPrinters.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

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
    for (const QByteArray& junk : {QByteArray("hello\n"), QByteArray("2030\n"),
                                   QByteArray(4096, 'x'), QByteArray("-2027\n")}) {
        QLocalSocket client;
        client.connectToServer(first.socketPath());
        ASSERT_TRUE(client.waitForConnected(1000));
        client.write(junk);
        client.waitForBytesWritten(1000);
        spy.wait(200);
    }
    EXPECT_EQ(spy.count(), 0);
}

TEST(SingleInstanceNames, SessionNameFollowsTheDisplay)
{
    qputenv("DISPLAY", ":12.0");
    EXPECT_EQ(SingleInstance::currentSessionName(), u"notkvel-_12.0"_s);
    qputenv("DISPLAY", "host/../x:3");
    EXPECT_EQ(SingleInstance::currentSessionName(), u"notkvel-host_.._x_3"_s);
}
