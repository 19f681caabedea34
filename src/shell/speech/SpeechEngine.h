// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>

namespace kvel {

// Something that reads a text aloud. speak() returns at once: the speech runs
// on its own, and nobody waits for it or learns how it went.
class SpeechEngine
{
public:
    virtual ~SpeechEngine() = default;
    virtual void speak(const QString& text) = 0;
};

} // namespace kvel
