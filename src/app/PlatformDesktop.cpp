// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/PlatformDesktop.h"

#include "shell/help/XdgHelpFileDesktop.h"
#include "shell/keyboard/X11KeyboardLayout.h"
#include "shell/speech/QtSpeechEngine.h"
#include "shell/tray/SystemTrayIcon.h"
#include "shell/x11/Compositing.h"
#include "shell/x11/EveryDesktop.h"

namespace kvel {

namespace {

class X11WindowEffects final : public WindowEffects
{
public:
    bool opacityShows() const override { return compositingManagerRunning(); }
    void showOnEveryWorkspace(QWidget& window) override { keepOnEveryDesktop(window); }
    bool onCurrentWorkspace(const QWidget& window) const override
    {
        return onCurrentDesktop(window);
    }
};

} // namespace

DesktopServices platformDesktop()
{
    // Each factory looks at the session itself: the portal's shortcuts on a
    // Wayland desktop that offers them, the X11 grab and reader on xcb, and
    // objects that do nothing where there is no display.
    DesktopServices desktop;
    desktop.tray = std::make_unique<SystemTrayIcon>();
    desktop.clipboard.reset(createClipboardReader(nullptr));
    desktop.hotKey.reset(createGlobalHotKey(nullptr));
    desktop.keyboard = X11KeyboardLayout::create();
    desktop.help = std::make_unique<XdgHelpFileDesktop>();
    desktop.windowEffects = std::make_unique<X11WindowEffects>();
    desktop.startSpeech = [] {
        return std::make_unique<QtSpeechEngine>();
    };
    return desktop;
}

} // namespace kvel
