// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/speech/QtSpeechEngine.h"

#include <QElapsedTimer>
#include <QThread>
#include <gtest/gtest.h>

using namespace kvel;
using namespace Qt::StringLiterals;

namespace {

// Well under the seconds an engine may take to start.
constexpr qint64 kPromptMs = 250;

} // namespace

TEST(QtSpeechEngine, WithoutAnEngineSpeakingDoesNothingAndBreaksNothing)
{
    QElapsedTimer timer;
    timer.start();
    {
        QtSpeechEngine engine(u"kvel-no-such-engine"_s);
        for (const QString& text : {u"house"_s, u""_s, u"in the house"_s})
            engine.speak(text);
        EXPECT_LT(timer.elapsed(), kPromptMs);
        // Gives the speech thread time to fail to start the engine and take the texts.
        QThread::msleep(100);
    }
    EXPECT_LT(timer.elapsed(), 100 + kPromptMs);
}

// Nothing is spoken here: a developer's machine may have working speech.
TEST(QtSpeechEngine, StartingTheDefaultEngineNeverHoldsTheCaller)
{
    QElapsedTimer timer;
    timer.start();
    QtSpeechEngine engine;
    EXPECT_LT(timer.elapsed(), kPromptMs);
}

// An installed engine (flite needs no daemon) is started, handed a text and shut
// down again; the empty text keeps the test silent.
TEST(QtSpeechEngine, AWorkingEngineShutsDownWithoutWaitingForTheSpeech)
{
    QElapsedTimer timer;
    timer.start();
    {
        QtSpeechEngine engine(u"flite"_s);
        engine.speak(QString());
        EXPECT_LT(timer.elapsed(), kPromptMs);
        QThread::msleep(200);
    }
    EXPECT_LT(timer.elapsed(), 5000);
}
