// SPDX-License-Identifier: GPL-2.0-or-later
#include "balloon/widgets/TAlphaThread.h"

namespace kvel {

namespace {

constexpr int kOpaque = 255;

} // namespace

TAlphaThread::TAlphaThread(QWidget* form) : Form(form)
{
    // Both run on the user-interface thread, where this object lives.
    connect(this, &QThread::finished, this, &TAlphaThread::leaveOpaque);
    connect(this, &QThread::finished, this, &QObject::deleteLater);
    Form->setWindowOpacity(0.0);
}

int TAlphaThread::stepForSpeed(int speed)
{
    switch (speed) {
    case 0:
        return 1;
    case 1:
        return 8;
    default:
        return 16;
    }
}

void TAlphaThread::begin()
{
    if (!isRunning() && !isFinished())
        start(QThread::LowPriority);
}

void TAlphaThread::stop()
{
    requestInterruption();
    begin();
}

void TAlphaThread::detach()
{
    Form = nullptr;
    stop();
}

void TAlphaThread::run()
{
    while (!isInterruptionRequested()) {
        for (Alpha = 0; Alpha <= kOpaque; Alpha += Step)
            applyOnUiThread(Alpha);
        applyOnUiThread(kOpaque);
        requestInterruption();
    }
}

void TAlphaThread::applyOnUiThread(int alpha)
{
    QMetaObject::invokeMethod(
        this, [this, alpha] { applyAlpha(alpha); }, Qt::BlockingQueuedConnection);
}

void TAlphaThread::applyAlpha(int alpha)
{
    if (Form) {
        Form->setWindowOpacity(alpha / qreal(kOpaque));
        Form->repaint();
    }
    emit alphaApplied(alpha);
}

void TAlphaThread::leaveOpaque()
{
    if (Form)
        Form->setWindowOpacity(1.0);
}

} // namespace kvel
