// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "shell/hotkey/PortalShortcut.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QMutex>
#include <QObject>
#include <QStringList>

namespace kvel::test {

// The global-shortcuts part of the desktop portal as Plasma 5.27 offers it,
// small enough for a test: sessions are created and shortcuts bound on
// request, answered through Request objects, and Activated is sent on
// demand. It records every call. Meant to live in a thread of its own, so
// blocking calls from the test's thread are answered.
class FakePortal : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.GlobalShortcuts")
    Q_PROPERTY(uint version READ version)

public:
    enum class Answer
    {
        Grant,
        Refuse,
        Hold // until release()
    };

    struct Call
    {
        QString method;
        QString session; // BindShortcuts: the session; CreateSession: the token
        QList<PortalShortcut> shortcuts;
    };

    explicit FakePortal(const QDBusConnection& bus);

    // Registers the portal's name and object; false when the bus refuses.
    bool publish();
    // Gives the portal's name up and takes it again, as a restarted portal
    // does (its sessions are not forgotten here, unlike a real restart).
    bool restart();

    void setAnswer(Answer answer);
    // Sends the answers held back so far, granting them.
    void release();
    // Sends the session handle as a string, as some portal versions do.
    void setSessionHandleAsString(bool asString);

    void activate(const QString& sessionPath, const QString& shortcutId);

    QList<Call> calls() const;
    QStringList closedSessions() const;

    uint version() const { return 1; }

public slots:
    QDBusObjectPath CreateSession(const QVariantMap& options, const QDBusMessage& message);
    QDBusObjectPath BindShortcuts(const QDBusObjectPath& session,
                                  const QList<kvel::PortalShortcut>& shortcuts,
                                  const QString& parentWindow, const QVariantMap& options,
                                  const QDBusMessage& message);

private:
    friend class FakeSession;
    struct Response
    {
        QString requestPath;
        QVariantMap results;
    };

    static QString senderPart(const QDBusMessage& message);
    QDBusObjectPath request(const QDBusMessage& message, const QVariantMap& options,
                            const QVariantMap& results);
    void send(const Response& response, uint code);
    void sessionClosed(const QString& path);

    QDBusConnection m_bus;
    mutable QMutex m_mutex;
    Answer m_answer = Answer::Grant;
    bool m_handleAsString = false;
    QList<Response> m_held;
    QList<Call> m_calls;
    QStringList m_closed;
};

// A session object of the fake portal; Close ends it.
class FakeSession : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Session")

public:
    FakeSession(FakePortal* portal, const QString& path);

public slots:
    void Close();

private:
    FakePortal* const m_portal;
    const QString m_path;
};

} // namespace kvel::test
