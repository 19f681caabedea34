// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "balloon/widgets/TBalloonForm.h"
#include "phrasebar/FirstEntry.h"
#include "shell/settings/Preferences.h"
#include "shell/speech/SpeechEngine.h"

#include <QPointer>
#include <memory>

namespace kvel {

// What the bar does with the first entry the translation window shows:
// remember it among the recent phrases, copy it, pronounce it. It reads the
// window's content model, never the text on screen.
class FirstEntryCommands
{
public:
    FirstEntryCommands(const QPointer<TBalloonForm>& balloon, Preferences& preferences);
    ~FirstEntryCommands();

    // What the translation window shows; nothing while it is hidden.
    const BalloonContent* shown() const;
    bool entryShown() const;
    // Whether there is a phrase to pronounce (the Pronounce item's state).
    bool pronounceable() const;

    // Adds the first entry's headword to the recent phrases of the search
    // language; false when nothing was added.
    bool remember();
    void copy(CopyMode mode);
    // With speech on, after Enter.
    void speak();
    // Alt+Z and the menu item: also with speech turned off.
    void pronounce();

    void setSpeechEngine(std::unique_ptr<SpeechEngine> engine) { m_speech = std::move(engine); }

private:
    const QPointer<TBalloonForm>& m_balloon;
    Preferences& m_preferences;
    std::unique_ptr<SpeechEngine> m_speech;
};

} // namespace kvel
