// SPDX-License-Identifier: GPL-2.0-or-later
// Floods the clipboard for the fault tests: one process takes the clipboard
// over and over with a new text each time, as fast as the X server lets it,
// then copies the final text and keeps serving it until it is killed.
//
// usage: kvel-clipboard-flood SECONDS FINAL_TEXT
//
// When the flood is over it prints "flood-done: N" (the number of copies,
// the final one included) to standard output.
#include <QClipboard>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTimer>
#include <cstdio>

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    bool ok = false;
    const double seconds = args.size() == 3 ? args[1].toDouble(&ok) : 0;
    if (!ok || seconds <= 0) {
        std::fprintf(stderr, "usage: kvel-clipboard-flood SECONDS FINAL_TEXT\n");
        return 2;
    }
    const QString finalText = args[2];
    QClipboard* clipboard = QGuiApplication::clipboard();

    QElapsedTimer elapsed;
    elapsed.start();
    long copies = 0;
    QTimer flood;
    // A zero timer runs once per event-loop pass, so the selection requests
    // of the watching program are still answered between two copies.
    flood.setInterval(0);
    QObject::connect(&flood, &QTimer::timeout, [&] {
        ++copies;
        if (elapsed.elapsed() < qint64(seconds * 1000)) {
            clipboard->setText(QStringLiteral("flood %1").arg(copies));
            return;
        }
        flood.stop();
        clipboard->setText(finalText);
        std::printf("flood-done: %ld\n", copies);
        std::fflush(stdout);
    });
    flood.start();
    return app.exec();
}
