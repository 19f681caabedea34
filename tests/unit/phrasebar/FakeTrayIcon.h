// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "shell/tray/TrayIcon.h"

#include <QStringList>

namespace kvel::test {

// A tray whose host comes and goes at the test's word, recording what the
// bar asks of it.
class FakeTrayIcon final : public TrayIcon
{
public:
    explicit FakeTrayIcon(bool available) : m_available(available) {}

    bool isAvailable() const override { return m_available; }
    void show(bool barHidden, const QString& tip) override
    {
        shown = true;
        hiddenPicture = barHidden;
        this->tip = tip;
    }
    void remove() override { shown = false; }
    bool isShown() const override { return shown; }
    void showBalloon(const QString& title, const QString& text, BalloonIcon, int) override
    {
        balloons.append(title + u'|' + text);
    }

    void setAvailable(bool available)
    {
        m_available = available;
        emit availabilityChanged(available);
    }

    bool shown = false;
    bool hiddenPicture = false;
    QString tip;
    QStringList balloons;

private:
    bool m_available;
};

} // namespace kvel::test
