// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "shell/clipboard/QtClipboardReader.h"
#include "shell/desktop/DesktopServices.h"

#include <QStringList>
#include <optional>

namespace kvel::test {

// A tray whose host comes and goes at the test's word, recording what the
// bar asks of it.
class FakeTrayIcon final : public TrayIcon
{
public:
    explicit FakeTrayIcon(bool available) : m_available(available) {}

    bool isAvailable() const override { return m_available; }
    void show(bool barHidden, const QString& tip) override
    {
        shown = true;
        hiddenPicture = barHidden;
        this->tip = tip;
    }
    void remove() override { shown = false; }
    bool isShown() const override { return shown; }
    // Taken in as soon as it is shown.
    bool isEmbedded() const override { return shown; }
    void showBalloon(const QString& title, const QString& text, BalloonIcon, int) override
    {
        balloons.append(title + u'|' + text);
    }

    void setAvailable(bool available)
    {
        m_available = available;
        emit availabilityChanged(available);
    }

    bool shown = false;
    bool hiddenPicture = false;
    QString tip;
    QStringList balloons;

private:
    bool m_available;
};

// A hot key the test presses; it remembers which key the bar asked for and
// how often. While `taken`, another program holds every key.
class FakeHotKey final : public GlobalHotKey
{
public:
    quint32 GetHookMsg() const override { return 1; }
    bool SetHook(int keyIndex) override
    {
        ++attempts;
        hookedKey.reset();
        if (!taken)
            hookedKey = keyIndex;
        return !taken;
    }
    void RemoveHook() override { hookedKey.reset(); }
    bool grabbed() const override { return hookedKey.has_value(); }
    bool takenByAnotherProgram() const override { return taken; }

    std::optional<int> hookedKey;
    bool taken = false;
    int attempts = 0;
};

class FakeKeyboardLayout final : public KeyboardLayout
{
public:
    void activate(KeyboardTarget) override {}
    void restoreUserLayout() override { ++restored; }
    LayoutLetters layoutLetters() const override { return letters; }

    int restored = 0;
    LayoutLetters letters;
};

// A desktop with neither the help file nor a program for it; pages and
// files "opened" are only recorded.
class FakeHelpDesktop final : public HelpFileDesktop
{
public:
    bool fileExists(const QString&) override { return false; }
    QString defaultViewer(const QString&) override { return {}; }
    bool openWith(const QString&, const QString& path) override
    {
        opened.append(path);
        return false;
    }
    bool openInBrowser(const QString& htmlPath) override
    {
        opened.append(htmlPath);
        return false;
    }

    QStringList opened;
};

// Opacity shows when the test says so, and so does the workspace the
// windows are on; the windows asked onto every workspace are remembered.
class FakeWindowEffects final : public WindowEffects
{
public:
    bool opacityShows() const override { return opacity; }
    void showOnEveryWorkspace(QWidget& window) override { onEveryWorkspace.append(&window); }
    bool onCurrentWorkspace(const QWidget&) const override { return onCurrent; }

    bool opacity = false;
    bool onCurrent = true;
    QList<const QWidget*> onEveryWorkspace;
};

class FakeSpeech final : public SpeechEngine
{
public:
    explicit FakeSpeech(QStringList& spoken) : m_spoken(spoken) {}
    void speak(const QString& text) override { m_spoken.append(text); }

private:
    QStringList& m_spoken;
};

// One fake of every desktop service the bar uses. The clipboard is the
// program's own (offscreen) one, read a moment later as a real owner would
// answer. services() hands the fakes over once; the pointers stay valid for
// as long as the bar lives.
class FakeDesktop
{
public:
    explicit FakeDesktop(bool trayAvailable = false) : m_trayAvailable(trayAvailable) {}

    DesktopServices services()
    {
        DesktopServices desktop;
        tray = new FakeTrayIcon(m_trayAvailable);
        hotKey = new FakeHotKey;
        hotKey->taken = hotKeyTaken;
        keyboard = new FakeKeyboardLayout;
        help = new FakeHelpDesktop;
        windowEffects = new FakeWindowEffects;
        desktop.tray.reset(tray);
        desktop.clipboard = std::make_unique<QtClipboardReader>();
        desktop.hotKey.reset(hotKey);
        desktop.keyboard.reset(keyboard);
        desktop.help.reset(help);
        desktop.windowEffects.reset(windowEffects);
        desktop.startSpeech = [this] {
            return std::make_unique<FakeSpeech>(spoken);
        };
        return desktop;
    }

    FakeTrayIcon* tray = nullptr;
    FakeHotKey* hotKey = nullptr;
    FakeKeyboardLayout* keyboard = nullptr;
    FakeHelpDesktop* help = nullptr;
    FakeWindowEffects* windowEffects = nullptr;
    QStringList spoken;
    // Another program holds the hot key from the next services() on.
    bool hotKeyTaken = false;

private:
    bool m_trayAvailable;
};

} // namespace kvel::test
