#include "DictionaryLocation.h"
#include "HandOver.h"
#include "QtSpeechEngine.h"
#include "SessionEndWatcher.h"
#include "SettingsLocation.h"
#include "SingleInstance.h"
#include "TKvelMainForm.h"

#include <QApplication>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

// The bar and the balloon need absolute window positions, which only X11
// gives; on Wayland sessions the program runs through XWayland.
void preferX11()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
}

} // namespace

int main(int argc, char* argv[])
{
    preferX11();
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"kvel"_s);
    QApplication::setQuitOnLastWindowClosed(false);

    const QString exeDir = QApplication::applicationDirPath();
    const kvel::BarPaths paths{kvel::settingsFilePath(exeDir), kvel::defaultDictionaryPath(exeDir)};

    // Every start leaves its words in the settings first, so the running
    // instance finds them when the request arrives.
    const QStringList words = app.arguments().mid(1);
    kvel::writeHandOver(paths.settingsFile, words);

    kvel::SingleInstance instance(kvel::SingleInstance::currentRuntimeDir(),
                                  kvel::SingleInstance::currentSessionName());
    if (!instance.becomePrimary()) {
        instance.sendToPrimary(words.isEmpty() ? kvel::InstanceRequest::ToggleBar
                                               : kvel::InstanceRequest::LookUpHandOver);
        return 0;
    }

    kvel::TKvelMainForm bar(paths);
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
    bar.show();
    // Starting a speech engine can take seconds: not before the bar is up.
    QTimer::singleShot(0, &bar,
                       [&bar] { bar.setSpeechEngine(std::make_unique<kvel::QtSpeechEngine>()); });
    return app.exec();
}
