// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace kvel {

// Each of the three recent lists (Both, English, Serbian) keeps this many
// phrases, the newest or most recently chosen at index 0.
inline constexpr int kMaxRecentPhrases = 10;

// Files a phrase in a list, unless saving recent phrases is off or the phrase
// is the placeholder. A phrase already listed (compared without regard to case)
// trades places with the head and keeps its stored form; a new one is stored
// with a-z in upper case at the head, and the oldest-placed entries beyond the
// limit drop out.
void AddRecentPhrase(QStringList& list, const QString& phrase, bool saveRecent);

// The captions of the ten menu items of a list: the entries with a-z in upper
// case, then the placeholder in the interface language for the empty slots.
QStringList recentMenuCaptions(const QStringList& list);

// The phrase a chosen menu item stands for: its caption without "&" markers and
// with A-Z in lower case; nothing for the placeholder of an empty slot.
std::optional<QString> recentPhraseOfCaption(const QString& caption);

} // namespace kvel
