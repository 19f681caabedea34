// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>
#include <stdexcept>

namespace kvel::dictbuild {

// An input that cannot be read or a dictionary that cannot be written. The
// message is ready for the user: it names the file and, where it helps, the line.
class BuildError : public std::runtime_error
{
public:
    explicit BuildError(const QString& message)
        : std::runtime_error(message.toStdString()), m_message(message)
    {}

    // "file:line: problem", the form compilers use, so editors can jump to the line.
    static BuildError atLine(const QString& fileName, int line, const QString& problem)
    {
        return BuildError(fileName + u':' + QString::number(line) + QLatin1StringView(": ") +
                          problem);
    }

    const QString& message() const { return m_message; }

private:
    QString m_message;
};

} // namespace kvel::dictbuild
