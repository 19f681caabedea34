// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <chrono>

namespace kvel {

// How long a started dictionary is watched: a start that hands its words to
// the running bar ends within it, a first start keeps running.
inline constexpr std::chrono::milliseconds kDictionaryStartWatch{1000};

// Starts PROGRAM with the words as its arguments, in a session of its own and
// with standard input, output and error on /dev/null: the browser's pipes
// stay with this host, and the browser ending the host does not end Kvel.
// False when it cannot be started, or ends within WATCH with a status other
// than 0 or by a signal.
bool startDictionary(const QString& program, const QStringList& words,
                     std::chrono::milliseconds watch = kDictionaryStartWatch);

} // namespace kvel
