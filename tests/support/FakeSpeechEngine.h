// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "shell/speech/SpeechEngine.h"

#include <QStringList>

namespace kvel::test {

// Keeps what it was asked to say instead of saying it.
class FakeSpeechEngine final : public SpeechEngine
{
public:
    void speak(const QString& text) override { spoken += text; }

    QStringList spoken;
};

} // namespace kvel::test
