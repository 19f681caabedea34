// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/tray/TrayIcon.h"
#include "support/WaitFor.h"

#include <QStringList>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

// A tray host that takes the icon in when the test says so.
class SlowTray final : public kvel::TrayIcon
{
public:
    explicit SlowTray(std::chrono::milliseconds embedWait) : TrayIcon(nullptr, embedWait) {}

    bool isAvailable() const override { return true; }
    void show(bool, const QString&) override {}
    void remove() override {}
    bool isShown() const override { return true; }
    bool isEmbedded() const override { return embedded; }
    void showBalloon(const QString& title, const QString& text, BalloonIcon, int) override
    {
        balloons.append(title + u'|' + text);
    }

    bool embedded = false;
    QStringList balloons;
};

constexpr int kGenerousMs = 10000;

} // namespace

TEST(TrayNotice, WaitsForTheIconToBeTakenInAndShowsInOrder)
{
    SlowTray tray(1h);
    tray.showNotice(u"Kvel"_s, u"welcome"_s, kvel::TrayIcon::BalloonIcon::Information);
    tray.showNotice(u"Kvel"_s, u"tip"_s, kvel::TrayIcon::BalloonIcon::Information);
    QTest::qWait(200);
    EXPECT_TRUE(tray.balloons.isEmpty()) << "nothing shows before the icon is there";
    tray.embedded = true;
    KVEL_WAIT_EQ_FOR(tray.balloons, (QStringList{u"Kvel|welcome"_s, u"Kvel|tip"_s}), kGenerousMs);
    tray.showNotice(u"Kvel"_s, u"later"_s, kvel::TrayIcon::BalloonIcon::Warning);
    EXPECT_EQ(tray.balloons.size(), 3) << "an icon taken in shows balloons at once";
}

TEST(TrayNotice, AHostThatNeverTakesTheIconInDelaysTheBalloonOnlyForAMoment)
{
    SlowTray tray(100ms);
    tray.showNotice(u"Kvel"_s, QString(300, u'x'), kvel::TrayIcon::BalloonIcon::Warning);
    EXPECT_TRUE(tray.balloons.isEmpty());
    KVEL_WAIT_EQ_FOR(tray.balloons.size(), 1, kGenerousMs);
    EXPECT_EQ(tray.balloons[0], u"Kvel|"_s + QString(255, u'x')) << "cut to the hosts' limit";
}
