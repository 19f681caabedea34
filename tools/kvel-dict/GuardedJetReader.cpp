// SPDX-License-Identifier: GPL-2.0-or-later
#include "kvel-dict/GuardedJetReader.h"

#include "kvel-dict/BuildError.h"
#include "kvel-dict/InputFile.h"
#include "lookup/access/JetConverter.h"

#include <QDataStream>
#include <QFile>
#include <QIODevice>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kvel::dictbuild {

namespace {

using Clock = std::chrono::steady_clock;

enum class Outcome : quint8
{
    Read,
    Refused, // a BuildError: the file is no usable dictionary
};

// The rows as UTF-8 text come to at most a few times the file's size; more
// means that the child wrote garbage.
qint64 resultLimit(qint64 fileSize)
{
    return (qint64(64) << 20) + 4 * fileSize;
}

[[noreturn]] void throwDamaged(const QString& path, const QString& why)
{
    throw BuildError(QStringLiteral("%1: damaged Access file (%2)").arg(path, why));
}

QByteArray encode(const JetDictionary& dictionary)
{
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream << quint8(Outcome::Read) << qint64(dictionary.rows.size());
    for (const DictionaryRow& row : dictionary.rows)
        stream << row.word << row.meaning << qint32(row.selected);
    stream << dictionary.version.has_value() << dictionary.version.value_or(QString());
    return bytes;
}

QByteArray encodeRefusal(const QString& message)
{
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream << quint8(Outcome::Refused) << message;
    return bytes;
}

JetDictionary decode(const QByteArray& bytes, const QString& path)
{
    QDataStream stream(bytes);
    quint8 outcome = 0;
    stream >> outcome;
    if (outcome == quint8(Outcome::Refused)) {
        QString message;
        stream >> message;
        if (stream.status() == QDataStream::Ok && stream.atEnd())
            throw BuildError(message);
    } else if (outcome == quint8(Outcome::Read)) {
        JetDictionary dictionary;
        qint64 count = 0;
        stream >> count;
        for (qint64 i = 0; i < count && stream.status() == QDataStream::Ok; ++i) {
            DictionaryRow row;
            qint32 selected = 0;
            stream >> row.word >> row.meaning >> selected;
            row.selected = selected;
            dictionary.rows.append(row);
        }
        bool hasVersion = false;
        QString version;
        stream >> hasVersion >> version;
        if (hasVersion)
            dictionary.version = version;
        if (stream.status() == QDataStream::Ok && stream.atEnd() && dictionary.rows.size() == count)
            return dictionary;
    }
    throwDamaged(path, QStringLiteral("its reader gave an unreadable result"));
}

// The address space this process has mapped. The child gets the converter's
// memory limit on top of it: what it inherits is not its own doing, and under
// AddressSanitizer, whose shadow memory alone takes terabytes of address space,
// a limit on the whole could not work.
qint64 mappedBytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    return statm.readLine().split(' ').value(0).toLongLong() * ::sysconf(_SC_PAGESIZE);
}

void limitResource(int resource, rlim_t value)
{
    const rlimit limit{value, value};
    setrlimit(resource, &limit);
}

bool writeAll(int descriptor, const QByteArray& bytes)
{
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t count =
            ::write(descriptor, bytes.constData() + written, size_t(bytes.size() - written));
        if (count < 0 && errno != EINTR)
            return false;
        written += std::max<ssize_t>(count, 0);
    }
    return true;
}

// The child's whole life: read, report on `out`, exit without running the
// parent's clean-up (its temporary files and buffers are not the child's).
[[noreturn]] void runChild(int out, const QString& path, int descriptor, pid_t parent,
                           qint64 addressSpace, std::chrono::seconds time)
{
    // Stopped with kvel-dict, even when that is killed at its own limits.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent)
        _exit(1);
    limitResource(RLIMIT_AS, rlim_t(addressSpace));
    limitResource(RLIMIT_CPU, rlim_t(time.count()));
    limitResource(RLIMIT_CORE, 0);
    QByteArray result;
    try {
        result = encode(readJetDictionary(path, descriptor));
    } catch (const BuildError& error) {
        result = encodeRefusal(error.message());
    } catch (const std::bad_alloc&) {
        _exit(2); // reported by the parent as a damaged file
    }
    _exit(writeAll(out, result) ? 0 : 1);
}

// Everything the child writes, until it closes the pipe; nothing when it
// takes longer than `deadline` or writes more than `limit` bytes.
std::optional<QByteArray> readResult(int in, Clock::time_point deadline, qint64 limit)
{
    QByteArray bytes;
    char chunk[65536];
    while (true) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0)
            return std::nullopt;
        pollfd ready{in, POLLIN, 0};
        const int polled = ::poll(&ready, 1, int(std::min<qint64>(left.count(), 1000)));
        if (polled < 0 && errno != EINTR)
            return std::nullopt;
        if (polled <= 0)
            continue;
        const ssize_t count = ::read(in, chunk, sizeof chunk);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            return count == 0 ? std::optional(bytes) : std::nullopt;
        if (bytes.size() + count > limit)
            return std::nullopt;
        bytes.append(chunk, count);
    }
}

int waitForChild(pid_t child)
{
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

} // namespace

JetDictionary readJetDictionaryInChild(const QString& path)
{
    const RegularFile file(path);
    const JetConverter::Limits limits;
    const qint64 addressSpace = mappedBytes() + limits.memoryBytes;
    const auto time = std::chrono::ceil<std::chrono::seconds>(
        limits.time + limits.timePerMiB * (file.size() >> 20));
    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0)
        throw BuildError(QStringLiteral("%1: cannot start its reader: %2")
                             .arg(path, QString::fromLocal8Bit(std::strerror(errno))));
    // Whatever is buffered would otherwise be written twice.
    std::fflush(nullptr);
    const pid_t parent = ::getpid();
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeEnds[0]);
        runChild(pipeEnds[1], path, file.descriptor(), parent, addressSpace, time);
    }
    const int forkError = errno;
    ::close(pipeEnds[1]);
    if (child < 0) {
        ::close(pipeEnds[0]);
        throw BuildError(QStringLiteral("%1: cannot start its reader: %2")
                             .arg(path, QString::fromLocal8Bit(std::strerror(forkError))));
    }
    const std::optional<QByteArray> result =
        readResult(pipeEnds[0], Clock::now() + time, resultLimit(file.size()));
    ::close(pipeEnds[0]);
    if (!result)
        ::kill(child, SIGKILL);
    const int status = waitForChild(child);
    if (WIFSIGNALED(status) && (result || WTERMSIG(status) != SIGKILL))
        throwDamaged(path, QStringLiteral("its reader stopped with signal %1 (%2)")
                               .arg(WTERMSIG(status))
                               .arg(QString::fromLocal8Bit(strsignal(WTERMSIG(status)))));
    if (!result)
        throwDamaged(path, QStringLiteral("reading it took more than %1 s or gave too much text")
                               .arg(time.count()));
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throwDamaged(path, QStringLiteral("its reader ran out of memory or failed"));
    return decode(*result, path);
}

} // namespace kvel::dictbuild
