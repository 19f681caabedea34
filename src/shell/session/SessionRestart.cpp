// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/session/SessionRestart.h"

#include <QGuiApplication>
#include <QSessionManager>

namespace kvel {

void refuseSessionRestart(QGuiApplication& app)
{
    // The hint is sent to the session manager after these requests are answered.
    const auto never = [](QSessionManager& manager) {
        manager.setRestartHint(QSessionManager::RestartNever);
    };
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &app, never, Qt::DirectConnection);
    QObject::connect(&app, &QGuiApplication::saveStateRequest, &app, never, Qt::DirectConnection);
}

} // namespace kvel
