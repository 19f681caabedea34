// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/speech/QtSpeechEngine.h"

#include "shell/speech/SpeechLocale.h"

#include <QDeadlineTimer>
#include <QTextToSpeech>
#include <QThread>

using namespace Qt::StringLiterals;

namespace kvel {

namespace {

// How long closing the program waits for an engine that is still starting.
constexpr int kShutdownWaitMs = 5000;

} // namespace

// Owns the QTextToSpeech; every call reaches it in the speech thread.
class Speaker : public QObject
{
public:
    explicit Speaker(const QString& engineName) : m_engineName(engineName) {}

    void start()
    {
        m_engine = startEngine();
        if (!m_engine)
            return;
        if (const auto locale = englishLocale(m_engine->availableLocales(), m_engine->locale()))
            m_engine->setLocale(*locale);
    }

    void say(const QString& text)
    {
        if (m_engine)
            m_engine->say(text);
    }

private:
    // The named engine, or the desktop's default one; when that cannot start
    // (speech-dispatcher missing, say), any other installed engine.
    QTextToSpeech* startEngine()
    {
        if (!m_engineName.isEmpty())
            return usable(new QTextToSpeech(m_engineName, this));
        auto* byDefault = new QTextToSpeech(this);
        const QString defaultName = byDefault->engine();
        if (QTextToSpeech* engine = usable(byDefault))
            return engine;
        for (const QString& name : QTextToSpeech::availableEngines()) {
            if (name == defaultName)
                continue;
            if (QTextToSpeech* engine = usable(new QTextToSpeech(name, this)))
                return engine;
        }
        return nullptr;
    }

    static QTextToSpeech* usable(QTextToSpeech* engine)
    {
        if (engine->state() != QTextToSpeech::Error)
            return engine;
        delete engine;
        return nullptr;
    }

    QString m_engineName;
    QTextToSpeech* m_engine = nullptr;
};

QtSpeechEngine::QtSpeechEngine(const QString& engineName)
    : m_thread(new QThread), m_speaker(new Speaker(engineName))
{
    m_thread->setObjectName(u"kvel-speech"_s);
    m_speaker->moveToThread(m_thread);
    QObject::connect(m_thread, &QThread::finished, m_speaker, &QObject::deleteLater);
    m_thread->start();
    QMetaObject::invokeMethod(m_speaker, &Speaker::start, Qt::QueuedConnection);
}

QtSpeechEngine::~QtSpeechEngine()
{
    m_thread->quit();
    // An engine that hangs while starting must not hold the program at exit;
    // its thread is then left to the end of the process rather than destroyed
    // while it runs.
    if (m_thread->wait(QDeadlineTimer(kShutdownWaitMs)))
        delete m_thread;
}

void QtSpeechEngine::speak(const QString& text)
{
    QMetaObject::invokeMethod(
        m_speaker, [speaker = m_speaker, text] { speaker->say(text); }, Qt::QueuedConnection);
}

} // namespace kvel
