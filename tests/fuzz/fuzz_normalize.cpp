// SPDX-License-Identifier: GPL-2.0-or-later
// NormalizePhrase on any text, and the lookup outcome of that text over a small
// dictionary through both stores, which must agree row for row, exactly and
// tolerantly; a tolerant lookup shows the exact hits first.

#include "FuzzCheck.h"
#include "FuzzFiles.h"
#include "FuzzInput.h"
#include "core/content/ContentMarkup.h"
#include "core/strings/StringTable.h"
#include "core/text/PhraseNormalizer.h"
#include "kvel-dict/SqliteDictionaryWriter.h"
#include "lookup/engine/LookupEngine.h"
#include "lookup/store/IndexedDictionaryStore.h"
#include "lookup/store/SqliteDictionaryStore.h"

#include <cstdio>

using namespace Qt::StringLiterals;
using kvel::fuzz::require;

namespace {

QList<kvel::DictionaryRow> sampleRows()
{
    QList<kvel::DictionaryRow> rows;
    for (const QString& word :
         {u"house"_s, u"House"_s, u"houseboat"_s, u"greenhouse"_s, u"o'neil"_s, u"rock 'n' roll"_s,
          u"50%"_s, u"a_b"_s, u"[x]"_s, u"a  b"_s, u"ŠKOLA"_s, u"straße"_s, u"𝄞 clef"_s, u""_s})
        rows.append({word, u"kuća; dom"_s, kvel::kEnglishHeadword});
    // More than a lookup shows, so the "first 15" outcome is reachable.
    for (int i = 0; i < 20; ++i)
        rows.append({u"abc"_s + QString::number(i), u"meaning"_s, kvel::kEnglishHeadword});
    for (const QString& word : {u"kuća"_s, u"Kuća"_s, u"škola"_s, u"čaša"_s, u"đak"_s, u"žaba"_s,
                                u"кућа"_s, u"dom"_s, u"a"_s, u"džep"_s, u"Ćevapi"_s, u"dak"_s,
                                u"vrednost"_s, u"mlijeko"_s, u"uspio"_s, u"polje"_s})
        rows.append({word, u"house; home"_s, kvel::kSerbianHeadword});
    return rows;
}

QString dictionaryPath()
{
    static const QString path = [] {
        const QString file = kvel::fuzz::scratchPath(u"kvel.mdb"_s);
        kvel::dictbuild::SqliteDictionaryWriter(file).write(sampleRows(), u"2.5"_s);
        return file;
    }();
    return path;
}

void checkNormalized(const QString& raw, const QString& phrase)
{
    require(kvel::fuzz::characterCount(phrase) <= 255, "at most 255 characters");
    for (const QChar c : phrase) {
        require(!QStringView(u"[]%_&\"\r\n\t").contains(c) && c != QChar(0),
                "no brackets, %, _, &, quotes, tabs, line breaks or NULs");
        require(c < u'A' || c > u'Z', "ASCII letters in lower case");
    }
    require(!phrase.contains(u"  "_s), "no double blanks");
    require(phrase.isEmpty() || (phrase.front() > u' ' && phrase.back() > u' '), "trimmed");
    require(kvel::NormalizePhrase(phrase) == phrase, "normalising twice changes nothing");
    require(phrase.size() <= raw.size(), "never longer than the text");
}

// Nothing shown: the window closes.
using Shown = std::optional<kvel::BalloonContent>;

void checkDisplay(const QString& raw, const QString& phrase, const Shown& display)
{
    const bool typing = raw.startsWith(u' ') || kvel::trimControl(raw).isEmpty();
    require(!typing || !display, "a blank start or blank text closes the window");
    if (!display)
        return;
    const QStringList lines = kvel::markupLines(*display);
    require(!lines.isEmpty() && lines.size() <= kvel::kMaxResultLines, "1 to 15 lines");
    require(display->kind != kvel::ContentKind::QueryFailed, "the sample dictionary always reads");
    if (display->kind == kvel::ContentKind::NoMatches) {
        require(!phrase.isEmpty() && lines.size() == 1 && display->entries.isEmpty(),
                "no match: one notice line");
        return;
    }
    require(display->helpLines.isEmpty() && display->entries.size() == lines.size(),
            "every hit is an entry");
}

// For the report when the stores disagree.
QString describe(const Shown& display)
{
    return display ? display->caption + u" | "_s + kvel::markupLines(*display).join(u" | "_s)
                   : u"closed"_s;
}

void requireSame(const Shown& plain, const Shown& indexed)
{
    if (indexed != plain)
        std::fprintf(stderr, "plain store: %s\nindexed store: %s\n", qPrintable(describe(plain)),
                     qPrintable(describe(indexed)));
    require(indexed == plain, "the indexed store shows what the plain store shows");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static kvel::SqliteDictionaryStore plainStore(dictionaryPath());
    static kvel::IndexedDictionaryStore indexedStore(dictionaryPath());

    kvel::fuzz::FuzzInput input(data, size);
    const uint8_t choice = input.takeByte();
    const auto language = kvel::SearchLanguage(choice % 3);
    const auto method = kvel::FindMethod(choice / 3 % 4);
    const bool utf16 = choice & 0x10;
    kvel::SetLanguageOffset(choice >> 5 & 1);
    const QString raw = kvel::fuzz::textFromBytes(input.rest(), utf16);

    const QString phrase = kvel::NormalizePhrase(raw);
    checkNormalized(raw, phrase);

    const Shown plain = kvel::LookupEngine(plainStore).lookUp(raw, language, method);
    checkDisplay(raw, phrase, plain);
    const Shown indexed = kvel::LookupEngine(indexedStore).lookUp(raw, language, method);
    requireSame(plain, indexed);

    if (choice & 0x80) {
        const Shown tolerant =
            kvel::LookupEngine(plainStore).lookUp(raw, language, method, kvel::Matching::Tolerant);
        checkDisplay(raw, phrase, tolerant);
        requireSame(tolerant, kvel::LookupEngine(indexedStore)
                                  .lookUp(raw, language, method, kvel::Matching::Tolerant));
        if (plain && plain->kind != kvel::ContentKind::NoMatches)
            require(tolerant && tolerant->entries.mid(0, plain->entries.size()) == plain->entries,
                    "a tolerant lookup shows the exact hits first");
    }

    const int selected = choice & 0x40 ? kvel::kEnglishHeadword : kvel::kSerbianHeadword;
    require(kvel::LookupEngine(indexedStore).QueryMeaning(raw, selected) ==
                kvel::LookupEngine(plainStore).QueryMeaning(raw, selected),
            "both stores give the same meaning");
    return 0;
}
