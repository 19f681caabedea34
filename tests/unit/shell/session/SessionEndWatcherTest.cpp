// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/session/SessionEndWatcher.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <csignal>
#include <gtest/gtest.h>

using namespace kvel;

namespace {

QCoreApplication& app()
{
    static int argc = 1;
    static char name[] = "session_tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication instance(argc, argv);
    return instance;
}

} // namespace

TEST(SessionEndWatcher, TermAndHangUpBecomeOneSignalOnTheEventLoop)
{
    app();
    for (const int signalNumber : {SIGTERM, SIGHUP}) {
        SessionEndWatcher watcher;
        QSignalSpy ending(&watcher, &SessionEndWatcher::sessionEnding);
        std::raise(signalNumber); // would end the process without the watcher
        EXPECT_TRUE(ending.wait(2000)) << signalNumber;
        EXPECT_EQ(ending.count(), 1);
    }
}
