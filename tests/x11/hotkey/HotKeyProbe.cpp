// SPDX-License-Identifier: GPL-2.0-or-later
// Drives the hot-key library from commands on standard input and prints what
// it reports, for run-hotkey-test.sh:
//   grab N  -> "grabbed 1" or "grabbed 0" (N: 0 = F9 .. 3 = F12)
//   taken   -> "taken 1" when the last grab failed because another program
//              holds the key, else "taken 0"
//   remove  -> "removed"
//   quit    -> exits
// and "key NAME" for each delivered hot key.

#include "shell/hotkey/GlobalHotKey.h"

#include <QGuiApplication>
#include <QSocketNotifier>
#include <QTextStream>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

QTextStream& out()
{
    static QTextStream stream(stdout);
    return stream;
}

void reply(const QString& line)
{
    out() << line << Qt::endl;
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    kvel::GlobalHotKey* hotKey = kvel::createGlobalHotKey(&app);
    QObject::connect(hotKey, &kvel::GlobalHotKey::hotKeyPressed,
                     [](const QString& name) { reply(u"key "_s + name); });

    auto run = [&](const QByteArray& command) {
        if (command.startsWith("grab ")) {
            const bool grabbed = hotKey->SetHook(command.mid(5).toInt());
            reply(u"grabbed "_s + QString::number(grabbed && hotKey->grabbed()));
        } else if (command == "taken") {
            reply(u"taken "_s + QString::number(hotKey->takenByAnotherProgram()));
        } else if (command == "remove") {
            hotKey->RemoveHook();
            reply(u"removed"_s);
        } else if (command == "quit") {
            QCoreApplication::quit();
        }
    };

    // Raw reads: a buffered stream could hold back lines the notifier has
    // already announced.
    QByteArray pending;
    QSocketNotifier commands(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&commands, &QSocketNotifier::activated, [&] {
        char chunk[256];
        const ssize_t size = read(STDIN_FILENO, chunk, sizeof chunk);
        if (size <= 0) {
            commands.setEnabled(false);
            QCoreApplication::quit();
            return;
        }
        pending.append(chunk, size);
        for (qsizetype end = pending.indexOf('\n'); end >= 0; end = pending.indexOf('\n')) {
            run(pending.left(end));
            pending.remove(0, end + 1);
        }
    });
    return app.exec();
}
