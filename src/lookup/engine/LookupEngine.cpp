// SPDX-License-Identifier: GPL-2.0-or-later
#include "lookup/engine/LookupEngine.h"

#include "core/content/ContentMarkup.h"
#include "core/strings/StringTable.h"
#include "core/text/PhraseNormalizer.h"
#include "lookup/forms/DictionaryFormRows.h"
#include "lookup/store/DictionaryChecks.h"
#include "lookup/store/DictionaryStore.h"

using namespace Qt::StringLiterals;

namespace kvel {

namespace {

// A failed attempt is tried again this many times in all before the lookup
// gives up with the "Internal error" display.
constexpr int kQueryAttempts = 10;

} // namespace

QString shownMeanings(const QString& meanings)
{
    if (meanings.size() <= kShownMeaningLength)
        return meanings;
    const qsizetype kept = meanings.at(kShownMeaningLength - 1).isHighSurrogate()
                               ? kShownMeaningLength - 1
                               : kShownMeaningLength;
    return meanings.left(kept) + u'\u2026';
}

namespace {

DictionaryEntry shownEntry(const DictionaryRow& row)
{
    return {row.word,
            row.selected == kEnglishHeadword ? HeadLanguage::English : HeadLanguage::Serbian,
            shownMeanings(row.meaning), row.meaning};
}

} // namespace

QString patternSuffix(const QString& normalizedPhrase, FindMethod method)
{
    const QString upper = upperCaseAscii(normalizedPhrase);
    switch (method) {
    case FindMethod::Begins:
        return u": "_s + upper + u"*"_s;
    case FindMethod::Contains:
        return u": *"_s + upper + u"*"_s;
    case FindMethod::Ends:
        return u": *"_s + upper;
    case FindMethod::Whole:
        break;
    }
    return u": "_s + upper;
}

std::optional<BalloonContent> LookupEngine::lookUp(const QString& rawText, SearchLanguage language,
                                                   FindMethod method, Matching matching,
                                                   Inflection inflection)
{
    // Text that starts with a blank is not a phrase yet: the user is still typing.
    if (!rawText.isEmpty() && rawText.front() == u' ')
        return std::nullopt;

    const QString phrase = NormalizePhrase(rawText);
    std::optional<QList<DictionaryRow>> rows = QList<DictionaryRow>();
    if (!phrase.isEmpty()) {
        rows.reset();
        for (int attempt = 0; attempt < kQueryAttempts && !rows; ++attempt)
            rows = m_store.findRows(language, method, phrase, kMaxResultLines);
        if (rows && matching == Matching::Tolerant && rows->size() < kMaxResultLines) {
            std::optional<QList<DictionaryRow>> more;
            for (int attempt = 0; attempt < kQueryAttempts && !more; ++attempt) {
                more = m_store.findOnlyTolerantRows(language, method, phrase,
                                                    kMaxResultLines - int(rows->size()));
            }
            if (more)
                rows->append(*more);
            else
                rows.reset();
        }
        if (rows && inflection == Inflection::WithDictionaryForms && m_forms)
            appendDictionaryFormRows(m_store, *m_forms, phrase, language, matching, *rows);
    }

    if (trimControl(rawText).isEmpty())
        return std::nullopt;

    if (!rows) {
        // A file refused since the checks passed (replaced by one that is not
        // a dictionary, or too slow to read) has no version: the notice says so.
        const DictionaryChecks checks{true, true, DictionaryVersionOk(m_store.readVersion())};
        if (std::optional<BalloonContent> notice = dictionaryNotice(checks))
            return notice;
        return textContent(ContentKind::QueryFailed, ImageId::Error,
                           LoadLngText(StringId::LookupInternalError),
                           {LoadLngText(StringId::LookupQueryFailed)});
    }

    const QString suffix = patternSuffix(phrase, method);
    QList<DictionaryEntry> entries;
    for (const DictionaryRow& row : std::as_const(*rows))
        entries.append(shownEntry(row));

    if (entries.isEmpty()) {
        if (phrase.isEmpty())
            return std::nullopt;
        return textContent(ContentKind::NoMatches, ImageId::NoMatch,
                           LoadLngText(StringId::LookupNoMatches) + suffix,
                           {LoadLngText(StringId::LookupSorry)});
    }
    BalloonContent results{ContentKind::Results, ImageId::SeveralHits, {}, entries};
    if (entries.size() == 1) {
        results.image = ImageId::OneHit;
        results.caption = LoadLngText(StringId::LookupBingo);
    } else if (entries.size() >= kMaxResultLines) {
        results.caption = LoadLngText(StringId::LookupTop15) + suffix;
    } else {
        results.caption =
            LoadLngText(StringId::LookupLast) + u' ' + QString::number(entries.size()) + suffix;
    }
    return results;
}

QString LookupEngine::QueryMeaning(const QString& phrase, int selected)
{
    const QString normalized = NormalizePhrase(phrase);
    if (normalized.isEmpty())
        return QString();
    return m_store.queryMeaning(normalized, selected);
}

} // namespace kvel
