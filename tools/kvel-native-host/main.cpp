// SPDX-License-Identifier: GPL-2.0-or-later
// kvel-native-host: the browsers start this program for Kvel's extension and
// talk to it through its standard input and output (native messaging).
#include "kvel-native-host/DictionaryStart.h"
#include "kvel-native-host/HostRequest.h"
#include "kvel-native-host/NativeMessage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace kvel;

namespace {

// The dictionary lies beside this program. Its words go to it as separate
// arguments of a direct start: no shell ever reads the page's text.
bool startDictionaryBesideHost(const QStringList& words)
{
    return startDictionary(QDir(QCoreApplication::applicationDirPath()).filePath(u"kvel"_s), words);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    // The descriptors themselves, not stdio's FILE: a reply left in stdout's
    // buffer would reach the browser only at exit, and the browser waits for it.
    QFile in;
    QFile out;
    if (!in.open(STDIN_FILENO, QIODevice::ReadOnly | QIODevice::Unbuffered) ||
        !out.open(STDOUT_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered))
        return 1;
    const QString configHome =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);

    for (;;) {
        const NativeMessage message = readNativeMessage(in);
        if (const auto* request = std::get_if<QJsonObject>(&message)) {
            if (!writeNativeMessage(out,
                                    answerRequest(*request, configHome, startDictionaryBesideHost)))
                return 1;
        } else if (const auto* malformed = std::get_if<MalformedMessage>(&message)) {
            if (!writeNativeMessage(out, {{u"error"_s, malformed->error}}))
                return 1;
        } else {
            const MessageEnd end = std::get<MessageEnd>(message);
            if (end == MessageEnd::TooLarge)
                writeNativeMessage(out, {{u"error"_s, u"the message is too large"_s}});
            return end == MessageEnd::Closed ? 0 : 1;
        }
    }
}
