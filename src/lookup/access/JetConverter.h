// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>
#include <chrono>
#include <optional>

namespace kvel {

// Turns an Access (Jet) dictionary into an SQLite one that the stores read, by
// running kvel-dict in a child process: libmdb never runs in the calling
// program, so a damaged or hostile file can only make the child fail, and the
// child is stopped at its time and memory limits. Results are cached by the
// file's path, size and modification time.
class JetConverter
{
public:
    struct Limits
    {
        // A large dictionary takes longer: about 1 s per 25,000 rows (25 MiB).
        std::chrono::milliseconds time{20000};
        std::chrono::milliseconds timePerMiB{250};
        qint64 memoryBytes = qint64(1) << 30;
    };

    // `program` is run as "PROGRAM build -o OUT access:JETFILE"; the converted
    // files live in `cacheFolder`.
    JetConverter(QString program, QString cacheFolder, Limits limits);

    // kvel-dict beside the running executable, caching in $XDG_CACHE_HOME/kvel.
    static JetConverter standard();

    // The SQLite copy of the Jet file as it is now, made when the cache has
    // none; nothing when the file is gone or the conversion failed.
    std::optional<QString> convert(const QString& jetPath) const;

private:
    bool runConverter(const QString& jetPath, const QString& outputPath, qint64 sourceSize) const;

    QString m_program;
    QString m_cacheFolder;
    Limits m_limits;
};

} // namespace kvel
