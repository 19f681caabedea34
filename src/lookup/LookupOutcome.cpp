#include "LookupOutcome.h"

#include "DictionaryStore.h"
#include "PhraseNormalizer.h"
#include "StringTable.h"

using namespace Qt::StringLiterals;

namespace kvel {

namespace {

// A failed attempt is tried again this many times in all before the lookup
// gives up with the "Internal error" display.
constexpr int kQueryAttempts = 10;

} // namespace

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
                                   FindMethod method, Matching matching)
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
    }

    if (trimControl(rawText).isEmpty())
        return LookupDisplay::closeWindow();

    if (!rows) {
        return {false,
                ContentKind::QueryFailed,
                Bitmap::Error,
                LoadLngText(30316),
                {LoadLngText(30312)}};
    }

    const QString suffix = patternSuffix(phrase, method);
    QStringList lines;
    for (const DictionaryRow& row : std::as_const(*rows))
        lines.append(resultLine(row.word, row.meaning, row.selected));

    if (lines.isEmpty()) {
        if (phrase.isEmpty())
            return LookupDisplay::closeWindow();
        return {false,
                ContentKind::NoMatches,
                Bitmap::NoMatch,
                LoadLngText(30302) + suffix,
                {LoadLngText(30304)}};
    }
    if (lines.size() == 1)
        return {false, ContentKind::Results, Bitmap::OneHit, LoadLngText(30310), lines};
    if (lines.size() >= kMaxResultLines) {
        return {false, ContentKind::Results, Bitmap::SeveralHits, LoadLngText(30306) + suffix,
                lines};
    }
    return {false, ContentKind::Results, Bitmap::SeveralHits,
            LoadLngText(30308) + u' ' + QString::number(lines.size()) + suffix, lines};
}

QString LookupEngine::QueryMeaning(const QString& phrase, int selected)
{
    const QString normalized = NormalizePhrase(phrase);
    if (normalized.isEmpty())
        return QString();
    return m_store.queryMeaning(normalized, selected);
}

} // namespace kvel
