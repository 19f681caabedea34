// SPDX-License-Identifier: GPL-2.0-or-later
#include "kvel-native-host/DictionaryStart.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace kvel {

namespace {

constexpr int kPollMs = 10;

// Ends with 0 within the watch, or is still running at its end.
bool startedWell(pid_t pid, std::chrono::milliseconds watch)
{
    const QDeadlineTimer deadline(watch);
    for (;;) {
        int status = 0;
        const pid_t ended = ::waitpid(pid, &status, WNOHANG);
        if (ended == pid)
            return WIFEXITED(status) && WEXITSTATUS(status) == 0;
        if (ended < 0 || deadline.hasExpired())
            return ended == 0;
        QThread::msleep(kPollMs);
    }
}

} // namespace

bool startDictionary(const QString& program, const QStringList& words,
                     std::chrono::milliseconds watch)
{
    std::vector<QByteArray> arguments{QFile::encodeName(program)};
    for (const QString& word : words)
        arguments.push_back(word.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t files;
    posix_spawnattr_t attributes;
    posix_spawn_file_actions_init(&files);
    posix_spawnattr_init(&attributes);
    posix_spawn_file_actions_addopen(&files, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&files, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&files, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addclosefrom_np(&files, STDERR_FILENO + 1);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
    pid_t pid = 0;
    const int error = ::posix_spawn(&pid, argv[0], &files, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&files);
    return error == 0 && startedWell(pid, watch);
}

} // namespace kvel
