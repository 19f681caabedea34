// SPDX-License-Identifier: GPL-2.0-or-later
// The translation window's text path without a window: content made of any
// text laid out into displayed lines (wrapping, splitting, the head codes),
// the entry and language of each line and the phrase under the pointer, on
// any lines and columns.

#include "FuzzCheck.h"
#include "FuzzInput.h"
#include "balloon/logic/BalloonMarkup.h"
#include "balloon/logic/ContentLayout.h"
#include "balloon/logic/LineWrapping.h"
#include "balloon/logic/PhrasePicking.h"
#include "core/content/ContentMarkup.h"

#include <algorithm>

using namespace Qt::StringLiterals;
using kvel::fuzz::require;

namespace {

// Longer lines get a few sampled columns instead of every one, to stay fast.
constexpr int kEveryColumnUpTo = 200;

void checkWrapped(const QStringList& source, const QStringList& wrapped)
{
    require(wrapped.join(QString()) == source.join(QString()), "wrapping keeps every character");
    require(wrapped.size() >= source.size(), "wrapping never joins lines");
    for (const QString& piece : wrapped) {
        // Lengths and columns count characters: a surrogate pair is one.
        const QList<uint> characters = piece.toUcs4();
        const qsizetype cut =
            characters.first(std::min<qsizetype>(characters.size(), kvel::kWrapLength + 1))
                .lastIndexOf(uint(u';'));
        require(characters.size() <= kvel::kWrapLength || cut < 0 || cut == characters.size() - 1,
                "a long piece has no ';' to cut at");
    }
}

void checkPhraseAt(const QString& line, int column)
{
    const std::optional<QString> phrase = kvel::PhraseAt(line, column);
    require(phrase.has_value() == (column >= 1 && column <= line.size()),
            "an answer exactly for columns on the line");
    if (!phrase)
        return;
    require(!phrase->contains(u';'), "a phrase never holds a ';'");
    const int at = column - 1;
    require(line[at] != u';' || phrase->isEmpty(), "a ';' under the pointer picks nothing");
    if (phrase->isEmpty())
        return;
    bool around = false;
    for (qsizetype start = std::max<qsizetype>(0, at - phrase->size() + 1); start <= at; ++start)
        around = around || QStringView(line).mid(start, phrase->size()) == *phrase;
    require(around, "the phrase lies around the pointer");
}

void checkCodes(const QString& line)
{
    const kvel::FormattedLine formatted = kvel::formatMarkup(line);
    require(formatted.text.size() == line.size(), "codes become as many blanks");
    for (const QString& code : {u"~0"_s, u"~1"_s, u"~2"_s})
        require(!formatted.text.contains(code), "no code is left");
}

void checkLine(const kvel::FormattedLine& formatted, int sampledColumn)
{
    for (const QString& code : {u"~0"_s, u"~1"_s, u"~2"_s})
        require(!formatted.text.contains(code), "no code is left on a shown line");
    require(formatted.headLength >= 0 && formatted.headLength <= formatted.text.size(),
            "the head lies on the line");

    checkPhraseAt(formatted.text, sampledColumn);
    const int last = int(formatted.text.size());
    if (last <= kEveryColumnUpTo) {
        for (int column = 0; column <= last + 1; ++column)
            checkPhraseAt(formatted.text, column);
    } else {
        for (const int column : {1, last / 2, last, last + 1})
            checkPhraseAt(formatted.text, column);
    }
}

// Each line of the text with a tab is an entry (headword, tab, meanings),
// English or Serbian in turn; any other line is help text.
kvel::BalloonContent contentOf(const QString& text, bool englishFirst)
{
    kvel::BalloonContent content{kvel::ContentKind::Results, kvel::ImageId::SeveralHits, {}};
    const QStringList rows = text.split(u'\n');
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const qsizetype tab = rows[i].indexOf(u'\t');
        if (tab < 0) {
            content.helpLines += kvel::helpLinesFromText(rows[i]);
            continue;
        }
        const QString meanings = rows[i].mid(tab + 1);
        const bool english = englishFirst == (i % 2 == 0);
        content.entries.append({rows[i].left(tab),
                                english ? kvel::HeadLanguage::English : kvel::HeadLanguage::Serbian,
                                meanings, meanings});
    }
    return content;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    kvel::fuzz::FuzzInput input(data, size);
    const uint8_t choice = input.takeByte();
    const int column = int16_t(input.takeByte() | input.takeByte() << 8);
    const bool wrap = choice & 1;
    const QString text = kvel::fuzz::textFromBytes(input.rest(), choice & 2);

    const kvel::BalloonContent content = contentOf(text, choice & 4);
    const QStringList source = kvel::markupLines(content);
    if (wrap)
        checkWrapped(source, kvel::WrapLines(source));
    for (const QString& line : source)
        checkCodes(line);

    const QList<kvel::ShownLine> shown = kvel::layOutContent(content, wrap);
    require(!shown.isEmpty() && !shown.constLast().look.text.isEmpty(),
            "the last line can be measured");
    for (const kvel::ShownLine& line : shown) {
        checkLine(line.look, column);
        require(!line.entry || (*line.entry >= 0 && *line.entry < content.entries.size()),
                "a line belongs to a shown entry or to none");
    }
    for (const int line : {-1, 0, int(shown.size()) - 1, kvel::kPickableLines, column}) {
        const int picked = kvel::pickedLanguage(content, shown, line);
        require(picked == 0 || picked == -1 || picked == 1, "a picked language is known");
    }
    return 0;
}
