// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "phrasebar/BarDictionary.h"
#include "phrasebar/TKvelMainForm.h"
#include "shell/desktop/DesktopServices.h"

#include <memory>

namespace kvel {

// The one place that builds the program: the dictionary and its lookup
// engine, the phrase bar with its translation window, and the desktop
// services it is handed (the session's, or a test's fake desktop).
class Program
{
public:
    Program(BarPaths paths, DesktopServices desktop);
    ~Program();

    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    TKvelMainForm& bar() { return *m_bar; }

    // Shows the bar; the speech engine starts right after, off the start-up path.
    void start();

private:
    BarDictionary m_dictionary;
    std::function<std::unique_ptr<SpeechEngine>()> m_startSpeech;
    std::unique_ptr<TKvelMainForm> m_bar;
};

} // namespace kvel
