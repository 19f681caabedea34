// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "shell/clipboard/ClipboardReader.h"
#include "shell/desktop/WindowEffects.h"
#include "shell/help/HelpFile.h"
#include "shell/hotkey/GlobalHotKey.h"
#include "shell/keyboard/KeyboardLayout.h"
#include "shell/speech/SpeechEngine.h"
#include "shell/tray/TrayIcon.h"

#include <functional>
#include <memory>

namespace kvel {

// The parts of the desktop the phrase bar works with, each behind its
// interface: chosen once for the session by the program, replaced by one fake
// desktop in tests. The bar takes them over.
struct DesktopServices
{
    std::unique_ptr<TrayIcon> tray;
    std::unique_ptr<ClipboardReader> clipboard;
    std::unique_ptr<GlobalHotKey> hotKey;
    std::unique_ptr<KeyboardLayout> keyboard;
    std::unique_ptr<HelpFileDesktop> help;
    std::unique_ptr<WindowEffects> windowEffects;
    // Starting a speech engine can take seconds: called once the bar is up.
    std::function<std::unique_ptr<SpeechEngine>()> startSpeech;
};

} // namespace kvel
