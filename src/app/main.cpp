// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/PlatformDesktop.h"
#include "app/Program.h"
#include "lookup/store/DictionaryLocation.h"
#include "phrasebar/TKvelMainForm.h"
#include "shell/instance/RuntimeFolder.h"
#include "shell/instance/SingleInstance.h"
#include "shell/session/SessionEndWatcher.h"
#include "shell/session/SessionRestart.h"
#include "shell/settings/HandOver.h"
#include "shell/settings/SettingsLocation.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>

using namespace Qt::StringLiterals;

namespace {

// The bar and the balloon need absolute window positions, which only X11
// gives; on Wayland sessions the program runs through XWayland.
void preferX11()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
}

// Every word after the program's name is a word to look up, one that starts
// with "-" too: the browser item passes a web page's selection here.
QStringList commandLineWords(int argc, char* argv[])
{
    QStringList words;
    for (int i = 1; i < argc; ++i)
        words += QString::fromLocal8Bit(argv[i]);
    return words;
}

void complain(const QString& message)
{
    std::fprintf(stderr, "kvel: %s\n", qPrintable(message));
}

// Qt ends a start it cannot give a display with abort() and advice to
// reinstall; Kvel says what is missing and ends with status 1 instead.
bool displayNamed()
{
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
           !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

QtMessageHandler g_qtMessages = nullptr;

// Installed while QApplication connects: its only fatal error there is a
// display that cannot be opened (a stale DISPLAY, a server gone).
void endOnUnopenedDisplay(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type != QtFatalMsg) {
        if (g_qtMessages)
            g_qtMessages(type, context, message);
        return;
    }
    complain(u"the display cannot be opened (DISPLAY=\"%1\", WAYLAND_DISPLAY=\"%2\", "
             u"QT_QPA_PLATFORM=\"%3\")"_s.arg(qEnvironmentVariable("DISPLAY"),
                                              qEnvironmentVariable("WAYLAND_DISPLAY"),
                                              qEnvironmentVariable("QT_QPA_PLATFORM")));
    std::_Exit(1);
}

} // namespace

int main(int argc, char* argv[])
{
    if (!displayNamed()) {
        complain(u"no display to show the phrase bar on: start Kvel in a desktop session "
                 u"(neither DISPLAY nor WAYLAND_DISPLAY is set)"_s);
        return 1;
    }
    preferX11();
    const QStringList words = commandLineWords(argc, argv);
    // Qt reads options such as -platformpluginpath from the command line it
    // gets, so it gets only the program's name. It keeps these for its lifetime.
    char fallbackName[] = "kvel";
    int qtArgc = 1;
    char* qtArgv[] = {argc > 0 && argv[0] ? argv[0] : fallbackName, nullptr};
    g_qtMessages = qInstallMessageHandler(endOnUnopenedDisplay);
    QApplication app(qtArgc, qtArgv);
    qInstallMessageHandler(g_qtMessages);
    QApplication::setApplicationName(u"kvel"_s);
    QApplication::setQuitOnLastWindowClosed(false);
    kvel::refuseSessionRestart(app);

    const kvel::RuntimeFolder runtime = kvel::currentRuntimeFolder();
    if (!runtime.problem.isEmpty()) {
        complain(u"no folder for the single-instance lock: "_s + runtime.problem);
        return 1;
    }

    const QString exeDir = QApplication::applicationDirPath();
    const kvel::BarPaths paths{kvel::settingsFilePath(exeDir), kvel::defaultDictionaryPath(exeDir)};

    // Every start leaves its words in the settings first, so the running
    // instance finds them when the request arrives.
    const bool handedOver = kvel::writeHandOver(paths.settingsFile, words);
    const QString handOverProblem =
        u"the words cannot be handed over: %1 cannot be written"_s.arg(paths.settingsFile);

    kvel::SingleInstance instance(runtime.path, kvel::SingleInstance::currentSessionName());
    if (!instance.becomePrimary()) {
        // The running bar would look up the words of an earlier start.
        if (!handedOver && !words.isEmpty()) {
            complain(handOverProblem);
            return 1;
        }
        if (!instance.sendToPrimary(words.isEmpty() ? kvel::InstanceRequest::ToggleBar
                                                    : kvel::InstanceRequest::LookUpHandOver)) {
            complain(u"the running Kvel does not answer on "_s + instance.socketPath());
            return 1;
        }
        return 0;
    }
    if (!handedOver && !words.isEmpty())
        complain(handOverProblem);

    kvel::Program program(paths, kvel::platformDesktop());
    kvel::TKvelMainForm& bar = program.bar();
    QObject::connect(&instance, &kvel::SingleInstance::requestReceived, &bar,
                     &kvel::TKvelMainForm::handleInstanceRequest);
    // exit() ends the loop without asking the windows, which in tray mode
    // would refuse to close and keep the program alive.
    QObject::connect(
        &bar, &kvel::TKvelMainForm::quitRequested, &app, [] { QCoreApplication::exit(0); },
        Qt::QueuedConnection);
    kvel::SessionEndWatcher sessionEnd;
    QObject::connect(&sessionEnd, &kvel::SessionEndWatcher::sessionEnding, &bar,
                     &kvel::TKvelMainForm::SessionEnding);
    program.start();
    return app.exec();
}
