// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "shell/instance/InstanceRequest.h"

#include <QString>

namespace kvel {

class TKvelMainForm;

// What a second start, the hot key and the tray ask of the bar: open it,
// toggle it, look up the words handed over in the settings file, quit.
class BarRequests
{
public:
    BarRequests(TKvelMainForm& bar, QString settingsFile);

    void handle(InstanceRequest request);
    // Shows the bar; with the smart clipboard on, its phrase is looked up
    // (and remembered among the recent phrases, when asked) once it is read.
    void openBar(bool rememberClipboardPhrase);
    void toggleBar();
    // Shows the bar with the handed-over words looked up and remembered.
    void showHandedOverWords();
    // Reads the hand-over again: how many words a start handed over.
    int readHandedOverWords();

private:
    void bringToThisWorkspace();

    TKvelMainForm& m_bar;
    QString m_settingsFile;
    QString m_handedOverWords;
};

} // namespace kvel
