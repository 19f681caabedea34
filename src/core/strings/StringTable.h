// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "core/strings/StringIds.h"

#include <QString>

namespace kvel {

// The bilingual string table compiled into the program. Interface texts come in
// pairs: Serbian at the id the code names, English at the next id.

enum class InterfaceLanguage
{
    Serbian = 0,
    English = 1
};

// The entry as stored; empty when the table has no such id.
QString LoadText(StringId id);

// The pair's text in the current interface language.
QString LoadLngText(StringId id);

// The pair's text in `language`, whatever the interface shows.
QString LoadLngText(StringId id, InterfaceLanguage language);

// Copies the interface language (0 Serbian, 1 English) into the process-wide
// offset that LoadLngText adds. Until the first call every text is Serbian.
void SetLanguageOffset(int interfaceLanguage);
int LanguageOffset();

} // namespace kvel
