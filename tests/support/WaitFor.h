// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QTest>
#include <gtest/gtest.h>

// Spin the event loop until the condition holds or the time is up, then check
// it once more through gtest. Qt's QTRY_* macros cannot be used under gtest: on
// a timeout they report to QTestLib and return, so the gtest case passes.
#define KVEL_WAIT_EQ_FOR(actual, expected, timeoutMs)                                              \
    do {                                                                                           \
        (void)QTest::qWaitFor([&] { return (actual) == (expected); }, timeoutMs);                  \
        ASSERT_EQ(actual, expected);                                                               \
    } while (false)

#define KVEL_WAIT_TRUE_FOR(condition, timeoutMs)                                                   \
    do {                                                                                           \
        (void)QTest::qWaitFor([&] { return bool(condition); }, timeoutMs);                         \
        ASSERT_TRUE(condition);                                                                    \
    } while (false)

// QTRY_*'s own default time.
#define KVEL_WAIT_EQ(actual, expected) KVEL_WAIT_EQ_FOR(actual, expected, 5000)
#define KVEL_WAIT_TRUE(condition) KVEL_WAIT_TRUE_FOR(condition, 5000)
