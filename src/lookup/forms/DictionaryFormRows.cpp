// SPDX-License-Identifier: GPL-2.0-or-later
#include "lookup/forms/DictionaryFormRows.h"

#include "core/text/PhraseNormalizer.h"
#include "lookup/forms/DictionaryForms.h"

#include <QSet>

namespace kvel {

namespace {

// Store queries are tried again as often as the phrase's own.
constexpr int kQueryAttempts = 10;

QString rowKey(const DictionaryRow& row)
{
    return QString::number(row.selected) + u'\n' + row.word + u'\n' + row.meaning;
}

template <typename Query> std::optional<QList<DictionaryRow>> withRetries(Query query)
{
    std::optional<QList<DictionaryRow>> found;
    for (int attempt = 0; attempt < kQueryAttempts && !found; ++attempt)
        found = query();
    return found;
}

QList<SearchLanguage> singleLanguages(SearchLanguage language)
{
    if (language == SearchLanguage::Both)
        return {SearchLanguage::Serbian, SearchLanguage::English};
    return {language};
}

} // namespace

void appendDictionaryFormRows(DictionaryStore& store, DictionaryForms& forms, const QString& word,
                              SearchLanguage language, Matching matching,
                              QList<DictionaryRow>& rows)
{
    if (rows.size() >= kMaxResultLines || word.isEmpty() || word.contains(u' '))
        return;
    QSet<QString> shown;
    for (const DictionaryRow& row : std::as_const(rows))
        shown.insert(rowKey(row));
    // A form's query asks for a full page: rows it shares with the phrase are skipped.
    const auto append = [&](const std::optional<QList<DictionaryRow>>& found) {
        if (!found)
            return;
        for (const DictionaryRow& row : *found) {
            if (rows.size() >= kMaxResultLines)
                return;
            if (!shown.contains(rowKey(row))) {
                shown.insert(rowKey(row));
                rows.append(row);
            }
        }
    };
    for (const SearchLanguage single : singleLanguages(language)) {
        for (const QString& analysed : forms.formsOf(word, single)) {
            if (rows.size() >= kMaxResultLines)
                return;
            const QString form = NormalizePhrase(analysed);
            if (form.isEmpty() || form == word)
                continue;
            append(withRetries(
                [&] { return store.findRows(single, FindMethod::Whole, form, kMaxResultLines); }));
            if (matching == Matching::Tolerant && rows.size() < kMaxResultLines) {
                append(withRetries([&] {
                    return store.findOnlyTolerantRows(single, FindMethod::Whole, form,
                                                      kMaxResultLines);
                }));
            }
        }
    }
}

} // namespace kvel
