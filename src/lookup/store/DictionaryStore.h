// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "core/SearchSettings.h"

#include <QList>
#include <QString>
#include <optional>

namespace kvel {

struct DictionaryRow
{
    QString word;    // a NULL field reads as an empty text
    QString meaning; // likewise
    // From a store: kEnglishHeadword, kSerbianHeadword, or kOtherHeadword for
    // any other value (see lookup/sqlite/SelectedColumn.h).
    int selected = 0;
};

// The read-only dictionary as the lookup sees it. Implementations never write
// the file and never throw: a failure is an empty optional or an empty text.
class DictionaryStore
{
public:
    virtual ~DictionaryStore() = default;

    // At most `limit` rows whose Word matches the normalised, non-empty phrase,
    // in the table's stored order; nothing when the query could not run.
    virtual std::optional<QList<DictionaryRow>> findRows(SearchLanguage language, FindMethod method,
                                                         const QString& phrase, int limit) = 0;

    // Likewise the rows whose Word matches the phrase tolerantly but not
    // exactly, which a tolerant search shows after those that match exactly.
    virtual std::optional<QList<DictionaryRow>> findOnlyTolerantRows(SearchLanguage language,
                                                                     FindMethod method,
                                                                     const QString& phrase,
                                                                     int limit) = 0;

    // The meanings of the one row whose Word equals the phrase (without regard
    // to case) and whose Selected is `selected`; empty for none or several.
    virtual QString queryMeaning(const QString& phrase, int selected) = 0;

    // TblVer.Ver of the first row as text; empty when it cannot be read.
    virtual QString readVersion() = 0;
};

} // namespace kvel
