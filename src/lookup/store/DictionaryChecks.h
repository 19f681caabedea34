// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "core/content/BalloonContent.h"

#include <QString>
#include <optional>

namespace kvel {

class DictionaryStore;

// The three checks made once, when the bar is first shown. A check that did
// not run (because one before it failed) stays false.
struct DictionaryChecks
{
    bool dataAccessOk = false;
    bool dictionaryFound = false;
    bool versionOk = false;

    bool allPassed() const { return dataAccessOk && dictionaryFound && versionOk; }
};

// The data-access layer's version as a number: SQLite's major.minor (3.40 -> 3.4).
float ReadAdoVersion();
bool AdoVersionOk(float version);

// Versions are decimal numbers with "." whatever the locale; "2,1" or "" fail.
bool DictionaryVersionOk(const QString& version);

bool DictionaryFileExists(const QString& path);

DictionaryChecks runDictionaryChecks(const QString& path, DictionaryStore& store);

// The notice every lookup shows while a check has failed, in the current
// interface language; nothing when all checks passed.
std::optional<BalloonContent> dictionaryNotice(const DictionaryChecks& checks);

} // namespace kvel
