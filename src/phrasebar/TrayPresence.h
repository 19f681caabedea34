// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "shell/settings/Preferences.h"
#include "shell/tray/TrayIcon.h"

#include <QObject>
#include <QString>
#include <memory>

class QMenu;
class QPoint;
class QWidget;

namespace kvel {

// Where the bar is: shown, or hidden with only its tray icon left. Tray mode
// needs a tray host: without one it acts as off (the bar stays shown, closing
// quits) and the stored setting stays as it is. The icon's picture and tip
// follow the bar.
class TrayPresence : public QObject
{
    Q_OBJECT
public:
    TrayPresence(std::unique_ptr<TrayIcon> tray, QWidget& bar, Preferences& preferences,
                 QString settingsFile);

    TrayIcon& icon() const { return *m_tray; }
    bool trayModeActive() const;
    bool barShown() const { return m_barShown; }
    bool inTray() const { return m_inTray; }

    // Shown in the start balloons of the tray; empty on a fitting locale.
    void setCodePageHint(const QString& hint) { m_codePageHint = hint; }

    // The first activation in tray mode: the icon, the hidden bar and a start
    // balloon (a tip or the code-page hint) unless words were handed over.
    void startInTray(bool wordsHandedOver);
    // Hides the bar to the tray; nothing without tray mode.
    void minimize();
    void restore();
    void setTrayMode(bool on);
    void trayAvailabilityChanged(bool available);
    void removeIcon();
    // A shown bar closes; a hidden one offers `menu` at `at`.
    void rightClicked(QPoint at, QMenu& menu);
    // The icon's tip again, in the interface language now shown.
    void showIconState() { setIconState(!m_barShown); }

signals:
    // The bar goes to the tray: its translation window goes with it.
    void hidingBar();

private:
    void addIcon();
    void setIconState(bool barHidden);

    std::unique_ptr<TrayIcon> m_tray;
    QWidget& m_bar;
    Preferences& m_preferences;
    QString m_settingsFile;
    QString m_codePageHint;
    bool m_inTray = false;
    bool m_barShown = true;
};

} // namespace kvel
