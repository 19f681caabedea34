// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QPointer>
#include <QThread>
#include <QWidget>

namespace kvel {

// Fades a window in: counts its opacity 0, Step, 2 Step, ... up to 255 on a
// worker thread and applies each value on the user-interface thread through a
// blocking call, so the pace is that of the repaints, not of a timer. A stop
// request is seen only before a pass, so a started pass always ends opaque.
// The object deletes itself once the thread has finished.
class TAlphaThread : public QThread
{
    Q_OBJECT

public:
    // Makes form fully transparent; begin() or start() starts the fade.
    explicit TAlphaThread(QWidget* form);

    // The opacity step for the speed setting: 0 slow, 1 medium, anything else fast.
    static int stepForSpeed(int speed);
    void setStep(int step) { Step = step > 0 ? step : 1; }

    // Starts counting unless it runs or ran already. The window calls it once
    // its first frame is drawn: a step applied before the window is on the
    // screen would never be seen.
    void begin();
    // A pass under way still ends opaque; a fade that has not begun begins
    // only to end at once, so the window is left opaque either way.
    void stop();

    // The window is going away: nothing reaches it any more. User-interface thread only.
    void detach();

signals:
    // On the user-interface thread, after each opacity (0..255) was applied.
    void alphaApplied(int alpha);

protected:
    void run() override;

private:
    void applyOnUiThread(int alpha);
    void applyAlpha(int alpha);
    void leaveOpaque();

    // Read and written on the user-interface thread only.
    QPointer<QWidget> Form;
    // Worker-side counters; Step is set before the thread starts.
    int Alpha = 0;
    int Step = 16;
};

} // namespace kvel
