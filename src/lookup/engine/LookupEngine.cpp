// SPDX-License-Identifier: GPL-2.0-or-later
#include "lookup/engine/LookupEngine.h"

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

QString resultLine(const QString& word, const QString& meaning, int selected)
{
    return word + (selected == kEnglishHeadword ? u"~0"_s : u"~1"_s) + meaning;
}

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

LookupDisplay LookupEngine::lookUp(const QString& rawText, SearchLanguage language,
                                   FindMethod method, Matching matching, Inflection inflection)
{
    // Text that starts with a blank is not a phrase yet: the user is still typing.
    if (!rawText.isEmpty() && rawText.front() == u' ')
        return LookupDisplay::closeWindow();

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
        return LookupDisplay::closeWindow();

    if (!rows) {
        // A file refused since the checks passed (replaced by one that is not
        // a dictionary, or too slow to read) has no version: the notice says so.
        const DictionaryChecks checks{true, true, DictionaryVersionOk(m_store.readVersion())};
        if (const std::optional<LookupDisplay> notice = dictionaryNotice(checks))
            return *notice;
        return {false,
                ContentKind::QueryFailed,
                Bitmap::Error,
                LoadLngText(StringId::LookupInternalError),
                {LoadLngText(StringId::LookupQueryFailed)}};
    }

    const QString suffix = patternSuffix(phrase, method);
    QStringList lines;
    QStringList wholeLines;
    for (const DictionaryRow& row : std::as_const(*rows)) {
        wholeLines.append(resultLine(row.word, row.meaning, row.selected));
        const QString shown = shownMeanings(row.meaning);
        lines.append(shown.size() == row.meaning.size()
                         ? wholeLines.constLast()
                         : resultLine(row.word, shown, row.selected));
    }

    if (lines.isEmpty()) {
        if (phrase.isEmpty())
            return LookupDisplay::closeWindow();
        return {false,
                ContentKind::NoMatches,
                Bitmap::NoMatch,
                LoadLngText(StringId::LookupNoMatches) + suffix,
                {LoadLngText(StringId::LookupSorry)}};
    }
    LookupDisplay results{false, ContentKind::Results, Bitmap::SeveralHits, {}, lines, wholeLines};
    if (lines.size() == 1) {
        results.bitmapId = Bitmap::OneHit;
        results.caption = LoadLngText(StringId::LookupBingo);
    } else if (lines.size() >= kMaxResultLines) {
        results.caption = LoadLngText(StringId::LookupTop15) + suffix;
    } else {
        results.caption =
            LoadLngText(StringId::LookupLast) + u' ' + QString::number(lines.size()) + suffix;
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
