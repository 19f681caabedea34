// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "shell/speech/SpeechEngine.h"

#include <QString>

class QThread;

namespace kvel {

class Speaker;

// Speech through QTextToSpeech in a thread of its own: starting an engine can
// take seconds, and a speaking engine may never report that it is done, so the
// user-interface thread only hands texts over. The engine is started in that
// thread as soon as this object exists; without any engine, speaking does
// nothing.
class QtSpeechEngine final : public SpeechEngine
{
public:
    // An empty engine name asks for the desktop's default engine.
    explicit QtSpeechEngine(const QString& engineName = {});
    ~QtSpeechEngine() override;

    QtSpeechEngine(const QtSpeechEngine&) = delete;
    QtSpeechEngine& operator=(const QtSpeechEngine&) = delete;

    void speak(const QString& text) override;

private:
    QThread* m_thread;
    Speaker* m_speaker; // lives in m_thread
};

} // namespace kvel
