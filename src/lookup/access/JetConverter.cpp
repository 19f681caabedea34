// SPDX-License-Identifier: GPL-2.0-or-later
#include "lookup/access/JetConverter.h"

#include "lookup/store/FileIdentity.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstdio>
#include <sys/resource.h>

using namespace Qt::StringLiterals;

namespace kvel {

namespace {

// A converted dictionary is about as large as its source; much more output
// means that the child is going round in a damaged file.
qint64 outputLimit(qint64 sourceSize)
{
    return (qint64(64) << 20) + 4 * sourceSize;
}

// Every copy made of one source file starts with this.
QString cachePrefix(const QString& canonicalPath)
{
    const QByteArray hash =
        QCryptographicHash::hash(canonicalPath.toUtf8(), QCryptographicHash::Sha256);
    return QString::fromLatin1(hash.toHex().left(32)) + u'-';
}

void limitResource(int resource, qint64 value)
{
    const rlimit limit{rlim_t(value), rlim_t(value)};
    setrlimit(resource, &limit);
}

// Copies of earlier versions of the source are never read again.
void removeOtherCopies(const QString& folder, const QString& prefix, const QString& keep)
{
    QDir dir(folder);
    const QString kept = QFileInfo(keep).fileName();
    for (const QString& name : dir.entryList({prefix + u"*.sqlite"_s}, QDir::Files)) {
        if (name != kept)
            dir.remove(name);
    }
}

} // namespace

JetConverter::JetConverter(QString program, QString cacheFolder, Limits limits)
    : m_program(std::move(program)), m_cacheFolder(std::move(cacheFolder)), m_limits(limits)
{}

JetConverter JetConverter::standard()
{
    return JetConverter(QDir(QCoreApplication::applicationDirPath()).filePath(u"kvel-dict"_s),
                        QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
                            u"/kvel"_s,
                        Limits{});
}

std::optional<QString> JetConverter::convert(const QString& jetPath) const
{
    const QString source = QFileInfo(jetPath).canonicalFilePath();
    const FileIdentity file = FileIdentity::of(source);
    if (source.isEmpty() || !file.exists)
        return std::nullopt;
    const QString prefix = cachePrefix(source);
    const QString cached =
        QDir(m_cacheFolder)
            .filePath(prefix + u"%1-%2.sqlite"_s.arg(file.size).arg(file.modifiedNs));
    if (QFileInfo::exists(cached))
        return cached;
    if (!QDir().mkpath(m_cacheFolder))
        return std::nullopt;
    {
        // The child writes into a private folder, removed with whatever a
        // stopped child left there; only a complete result is moved into place.
        QTemporaryDir work(QDir(m_cacheFolder).filePath(u"convert-XXXXXX"_s));
        const QString output = work.filePath(u"dictionary.sqlite"_s);
        if (!work.isValid() || !runConverter(source, output, file.size) ||
            std::rename(QFile::encodeName(output).constData(),
                        QFile::encodeName(cached).constData()) != 0)
            return std::nullopt;
    }
    removeOtherCopies(m_cacheFolder, prefix, cached);
    return cached;
}

bool JetConverter::runConverter(const QString& jetPath, const QString& outputPath,
                                qint64 sourceSize) const
{
    QProcess child;
    child.setProgram(m_program);
    child.setArguments({u"build"_s, u"-o"_s, outputPath, u"access:"_s + jetPath});
    child.setStandardInputFile(QProcess::nullDevice());
    child.setStandardOutputFile(QProcess::nullDevice());
    child.setStandardErrorFile(QProcess::nullDevice());
    const qint64 memory = m_limits.memoryBytes;
    const qint64 output = outputLimit(sourceSize);
    child.setChildProcessModifier([memory, output] {
        // Runs in the child between fork and exec: plain system calls only.
        limitResource(RLIMIT_AS, memory);
        limitResource(RLIMIT_FSIZE, output);
        limitResource(RLIMIT_CORE, 0);
    });
    const auto time = m_limits.time + m_limits.timePerMiB * (sourceSize >> 20);
    child.start();
    if (!child.waitForFinished(int(time.count()))) {
        child.kill();
        child.waitForFinished(-1);
        return false;
    }
    return child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0;
}

} // namespace kvel
