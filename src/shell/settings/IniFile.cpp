// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/settings/IniFile.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QThread>

using namespace Qt::StringLiterals;

namespace kvel {

namespace {

QString decodeSettingsText(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;

    QStringDecoder windows1250("windows-1250");
    // A Qt built without ICU knows no Windows-1250: Latin-1 still keeps every
    // section and key name readable.
    return windows1250.isValid() ? windows1250(bytes) : QString::fromLatin1(bytes);
}

// QLockFile's own wait doubles its pause up to seconds: with many starts
// queueing for the file, one could sleep long after the lock came free.
constexpr int kLockPollMs = 5;

bool takeLock(QLockFile& lock, std::chrono::milliseconds wait)
{
    const QDeadlineTimer deadline(wait);
    while (!lock.tryLock(0)) {
        if (lock.error() != QLockFile::LockFailedError || deadline.hasExpired())
            return false;
        QThread::msleep(kLockPollMs);
    }
    return true;
}

} // namespace

std::optional<IniDocument> readIniFile(const QString& path)
{
    // A pipe or a device in the file's place would block the start or never end.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (QFileInfo::exists(path))
            return std::nullopt;
        return IniDocument();
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return IniDocument(decodeSettingsText(bytes));
}

IniUpdate updateIniFile(const QString& path, const std::function<void(IniDocument&)>& change,
                        std::chrono::milliseconds lockWait)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return IniUpdate::Failed;

    // Other instances hold the lock only for a few milliseconds; a lock left
    // by a killed process is taken over by QLockFile itself.
    QLockFile lock(path + u".lock"_s);
    if (!takeLock(lock, lockWait)) {
        return lock.error() == QLockFile::LockFailedError ? IniUpdate::LockBusy : IniUpdate::Failed;
    }

    std::optional<IniDocument> document = readIniFile(path);
    if (!document)
        return IniUpdate::Failed;
    change(*document);

    // QSaveFile writes beside the file, syncs it to disk and renames it over the
    // old one; it refuses to replace a file the user may not write.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return IniUpdate::Failed;
    file.write(document->toText().toUtf8());
    return file.commit() ? IniUpdate::Written : IniUpdate::Failed;
}

} // namespace kvel
