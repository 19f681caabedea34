// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/hotkey/PortalGlobalShortcuts.h"

#include "FakePortal.h"
#include "PrivateSessionBus.h"
#include "shell/wayland/DesktopProbe.h"

#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace kvel;
using namespace kvel::test;

namespace {

constexpr int kWaitMs = 5000;

// Counts every Activated signal the client's connection receives: once it has
// one, the hot key under test has had its chance to react to it too.
class ActivatedWitness : public QObject
{
    Q_OBJECT

public:
    int seen = 0;

public slots:
    void activated() { ++seen; }
};

class PortalHotKey : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_bus.isRunning()) << "dbus-daemon did not start";
        m_portalBus = m_bus.connect(u"fake-portal"_s);
        m_clientBus = m_bus.connect(u"client"_s);
        ASSERT_TRUE(m_portalBus.isConnected());
        ASSERT_TRUE(m_clientBus.isConnected());
        m_portal = new FakePortal(m_portalBus);
        m_portal->moveToThread(&m_portalThread);
        m_portalThread.start();
        bool published = false;
        QMetaObject::invokeMethod(
            m_portal, [&] { published = m_portal->publish(); }, Qt::BlockingQueuedConnection);
        ASSERT_TRUE(published);
        m_clientBus.connect(u"org.freedesktop.portal.Desktop"_s,
                            u"/org/freedesktop/portal/desktop"_s,
                            u"org.freedesktop.portal.GlobalShortcuts"_s, u"Activated"_s, &m_witness,
                            SLOT(activated()));
    }

    void TearDown() override
    {
        m_hotKey.reset();
        QMetaObject::invokeMethod(m_portal, &QObject::deleteLater);
        m_portalThread.quit();
        m_portalThread.wait();
        QDBusConnection::disconnectFromBus(u"client"_s);
        QDBusConnection::disconnectFromBus(u"fake-portal"_s);
    }

    PortalGlobalShortcuts& hotKey()
    {
        if (!m_hotKey)
            m_hotKey = std::make_unique<PortalGlobalShortcuts>(m_clientBus);
        return *m_hotKey;
    }

    QStringList methods() const
    {
        QStringList names;
        for (const FakePortal::Call& call : m_portal->calls())
            names << call.method;
        return names;
    }

    bool waitForCalls(qsizetype count)
    {
        return QTest::qWaitFor([&] { return m_portal->calls().size() >= count; }, kWaitMs);
    }

    // Sends Activated and waits until the client's connection has delivered it.
    void activate(const QString& session, const QString& shortcutId)
    {
        const int before = m_witness.seen;
        m_portal->activate(session, shortcutId);
        ASSERT_TRUE(QTest::qWaitFor([&] { return m_witness.seen > before; }, kWaitMs));
        QCoreApplication::processEvents();
    }

    QString sessionPath() const
    {
        QString sender = m_clientBus.baseService().mid(1);
        return u"/org/freedesktop/portal/desktop/session/"_s + sender.replace(u'.', u'_') +
               u"/kvel"_s;
    }

    PrivateSessionBus m_bus;
    QDBusConnection m_portalBus{QString()};
    QDBusConnection m_clientBus{QString()};
    QThread m_portalThread;
    FakePortal* m_portal = nullptr;
    ActivatedWitness m_witness;
    std::unique_ptr<PortalGlobalShortcuts> m_hotKey;
};

TEST_F(PortalHotKey, ProbeFindsThePortal)
{
    EXPECT_TRUE(portalOffersGlobalShortcuts(m_clientBus));
}

TEST(PortalProbe, FindsNothingWithoutAPortal)
{
    PrivateSessionBus bus;
    ASSERT_TRUE(bus.isRunning());
    {
        const QDBusConnection connection = bus.connect(u"lonely"_s);
        EXPECT_FALSE(portalOffersGlobalShortcuts(connection));
    }
    QDBusConnection::disconnectFromBus(u"lonely"_s);
}

TEST(PortalProbe, FindsNothingWithoutABus)
{
    EXPECT_FALSE(portalOffersGlobalShortcuts(QDBusConnection(u"not connected"_s)));
}

struct KeyCase
{
    int keyIndex;
    const char* id;
    const char* trigger;
    const char* keyName;
    bool handleAsString;
};

class PortalKeys : public PortalHotKey, public testing::WithParamInterface<KeyCase>
{
};

TEST_P(PortalKeys, ChosenKeyIsRegisteredAndDelivered)
{
    const KeyCase& c = GetParam();
    m_portal->setSessionHandleAsString(c.handleAsString);
    QSignalSpy pressed(&hotKey(), &GlobalHotKey::hotKeyPressed);
    EXPECT_NE(hotKey().GetHookMsg(), 0u);
    ASSERT_TRUE(hotKey().SetHook(c.keyIndex));
    ASSERT_TRUE(waitForCalls(2));

    const QList<FakePortal::Call> calls = m_portal->calls();
    EXPECT_EQ(methods(), (QStringList{u"CreateSession"_s, u"BindShortcuts"_s}));
    EXPECT_EQ(calls[0].session, u"kvel"_s);
    ASSERT_EQ(calls[0].shortcuts.size(), 1);
    EXPECT_EQ(calls[0].shortcuts[0].id, QString::fromLatin1(c.id));
    EXPECT_EQ(calls[0].shortcuts[0].properties.value(u"preferred_trigger"_s).toString(),
              QString::fromLatin1(c.trigger));
    EXPECT_FALSE(calls[0].shortcuts[0].properties.value(u"description"_s).toString().isEmpty());
    EXPECT_EQ(calls[1].session, sessionPath());
    ASSERT_EQ(calls[1].shortcuts.size(), 1);
    EXPECT_EQ(calls[1].shortcuts[0].id, QString::fromLatin1(c.id));
    EXPECT_TRUE(hotKey().grabbed());

    activate(sessionPath(), QString::fromLatin1(c.id));
    ASSERT_EQ(pressed.size(), 1);
    EXPECT_EQ(pressed.at(0).at(0).toString(), QString::fromLatin1(c.keyName));
}

INSTANTIATE_TEST_SUITE_P(Keys, PortalKeys,
                         testing::Values(KeyCase{0, "toggle-alt-f9", "ALT+F9", "F9", false},
                                         KeyCase{1, "toggle-alt-f10", "ALT+F10", "F10", false},
                                         KeyCase{2, "toggle-alt-f11", "ALT+F11", "F11", false},
                                         KeyCase{3, "toggle-alt-f12", "ALT+F12", "F12", false},
                                         KeyCase{3, "toggle-alt-f12", "ALT+F12", "F12", true}),
                         [](const testing::TestParamInfo<KeyCase>& info) {
                             return std::string(info.param.keyName) +
                                    (info.param.handleAsString ? "HandleAsString" : "");
                         });

TEST_F(PortalHotKey, KeysOutsideTheRangeAreRefused)
{
    for (const int key : {-1, 4, 12})
        EXPECT_FALSE(hotKey().SetHook(key)) << key;
    EXPECT_FALSE(hotKey().grabbed());
    EXPECT_TRUE(m_portal->calls().isEmpty());
}

TEST_F(PortalHotKey, SameKeyAgainKeepsTheSession)
{
    ASSERT_TRUE(hotKey().SetHook(3));
    ASSERT_TRUE(waitForCalls(2));
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(hotKey().SetHook(3));
    // Another key's session is the barrier: everything sent before it has arrived.
    ASSERT_TRUE(hotKey().SetHook(0));
    ASSERT_TRUE(waitForCalls(4));
    EXPECT_EQ(methods(), (QStringList{u"CreateSession"_s, u"BindShortcuts"_s, u"CreateSession"_s,
                                      u"BindShortcuts"_s}));
}

TEST_F(PortalHotKey, OtherKeyReplacesTheSession)
{
    QSignalSpy pressed(&hotKey(), &GlobalHotKey::hotKeyPressed);
    ASSERT_TRUE(hotKey().SetHook(3));
    ASSERT_TRUE(waitForCalls(2));
    ASSERT_TRUE(hotKey().SetHook(1));
    ASSERT_TRUE(waitForCalls(4));
    EXPECT_EQ(m_portal->closedSessions(), QStringList{sessionPath()});
    EXPECT_EQ(m_portal->calls()[2].shortcuts.value(0).properties.value(u"preferred_trigger"_s),
              u"ALT+F10"_s);

    activate(sessionPath(), u"toggle-alt-f12"_s);
    EXPECT_EQ(pressed.size(), 0);
    activate(sessionPath(), u"toggle-alt-f10"_s);
    ASSERT_EQ(pressed.size(), 1);
    EXPECT_EQ(pressed.at(0).at(0).toString(), u"F10"_s);
}

TEST_F(PortalHotKey, RestartedPortalIsAskedForANewSession)
{
    QSignalSpy pressed(&hotKey(), &GlobalHotKey::hotKeyPressed);
    ASSERT_TRUE(hotKey().SetHook(3));
    ASSERT_TRUE(waitForCalls(2));
    bool restarted = false;
    QMetaObject::invokeMethod(
        m_portal, [&] { restarted = m_portal->restart(); }, Qt::BlockingQueuedConnection);
    ASSERT_TRUE(restarted);
    ASSERT_TRUE(waitForCalls(4));
    EXPECT_EQ(methods().mid(2), (QStringList{u"CreateSession"_s, u"BindShortcuts"_s}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return hotKey().grabbed(); }, kWaitMs));
    activate(sessionPath(), u"toggle-alt-f12"_s);
    EXPECT_EQ(pressed.size(), 1);
}

TEST_F(PortalHotKey, RemoveHookClosesTheSession)
{
    QSignalSpy pressed(&hotKey(), &GlobalHotKey::hotKeyPressed);
    ASSERT_TRUE(hotKey().SetHook(3));
    ASSERT_TRUE(waitForCalls(2));
    hotKey().RemoveHook();
    EXPECT_FALSE(hotKey().grabbed());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !m_portal->closedSessions().isEmpty(); }, kWaitMs));
    EXPECT_EQ(m_portal->closedSessions(), QStringList{sessionPath()});
    activate(sessionPath(), u"toggle-alt-f12"_s);
    EXPECT_EQ(pressed.size(), 0);
    // Removing again is harmless.
    hotKey().RemoveHook();
}

TEST_F(PortalHotKey, OtherSessionsAndShortcutsAreNotOurs)
{
    QSignalSpy pressed(&hotKey(), &GlobalHotKey::hotKeyPressed);
    ASSERT_TRUE(hotKey().SetHook(3));
    ASSERT_TRUE(waitForCalls(2));
    activate(u"/org/freedesktop/portal/desktop/session/1_99/other"_s, u"toggle-alt-f12"_s);
    activate(sessionPath(), u"toggle-alt-f9"_s);
    activate(sessionPath(), u"something-else"_s);
    EXPECT_EQ(pressed.size(), 0);
}

TEST_F(PortalHotKey, RefusedSessionCatchesNothing)
{
    m_portal->setAnswer(FakePortal::Answer::Refuse);
    QSignalSpy pressed(&hotKey(), &GlobalHotKey::hotKeyPressed);
    ASSERT_TRUE(hotKey().SetHook(3));
    ASSERT_TRUE(waitForCalls(1));
    activate(sessionPath(), u"toggle-alt-f12"_s);
    EXPECT_FALSE(hotKey().grabbed());
    EXPECT_EQ(pressed.size(), 0);
    EXPECT_EQ(methods(), QStringList{u"CreateSession"_s});
}

TEST_F(PortalHotKey, SessionAnsweredAfterRemovalIsClosed)
{
    m_portal->setAnswer(FakePortal::Answer::Hold);
    ASSERT_TRUE(hotKey().SetHook(3));
    ASSERT_TRUE(waitForCalls(1));
    hotKey().RemoveHook();
    m_portal->release();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !m_portal->closedSessions().isEmpty(); }, kWaitMs));
    EXPECT_EQ(m_portal->closedSessions(), QStringList{sessionPath()});
    EXPECT_FALSE(hotKey().grabbed());
    EXPECT_EQ(methods(), QStringList{u"CreateSession"_s});
}

} // namespace

#include "PortalGlobalShortcutsTest.moc"
