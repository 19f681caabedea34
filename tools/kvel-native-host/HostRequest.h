// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QJsonObject>
#include <QStringList>
#include <functional>

namespace kvel {

// The selected text as the words of a command line: split at every kind of
// blank (a web page's no-break spaces too), each word passed on as it is.
QStringList selectedWords(const QString& text);

// Starts the dictionary with these words as its arguments; false when it
// could not be started.
using DictionaryStarter = std::function<bool(const QStringList& words)>;

// Answers one request of the browser extension:
//   {"action":"state"}   -> {"item":"sr"|"en"|"none","caption":"..."}
//   {"action":"translate","text":"..."} -> {"started":true|false[,"error":"..."]}
// Anything else gets {"error":"..."}. The record of the active item is read
// from configHome.
QJsonObject answerRequest(const QJsonObject& request, const QString& configHome,
                          const DictionaryStarter& startDictionary);

} // namespace kvel
