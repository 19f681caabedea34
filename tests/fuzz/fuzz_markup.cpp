// SPDX-License-Identifier: GPL-2.0-or-later
// The translation window's text path without a window: wrapping, splitting
// into displayed lines, the head codes, the line languages and the phrase
// under the pointer, on any lines and columns.

#include "FuzzCheck.h"
#include "FuzzInput.h"
#include "balloon/logic/BalloonMarkup.h"
#include "balloon/logic/LineLanguageTable.h"
#include "balloon/logic/LineWrapping.h"
#include "balloon/logic/PhrasePicking.h"

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
        require(piece.size() <= kvel::kWrapLength ||
                    piece.lastIndexOf(u';', kvel::kWrapLength) < 0 ||
                    piece.lastIndexOf(u';', kvel::kWrapLength) == piece.size() - 1,
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

void checkLine(const QString& line, int sampledColumn)
{
    const kvel::FormattedLine formatted = kvel::formatMarkup(line);
    require(formatted.text.size() == line.size(), "codes become as many blanks");
    for (const QString& code : {u"~0"_s, u"~1"_s, u"~2"_s})
        require(!formatted.text.contains(code), "no code is left");
    require(formatted.headLength >= 0 && formatted.headLength <= formatted.text.size(),
            "the head lies on the line");
    const int language = kvel::lineLanguageOf(formatted);
    require(language == 0 || language == -1 || language == 1, "a known line language");

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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    kvel::fuzz::FuzzInput input(data, size);
    const uint8_t choice = input.takeByte();
    const int column = int16_t(input.takeByte() | input.takeByte() << 8);
    const bool wrap = choice & 1;
    const QString text = kvel::fuzz::textFromBytes(input.rest(), choice & 2);

    const QStringList source = text.split(u'\n');
    QStringList lines = source;
    if (wrap) {
        lines = kvel::WrapLines(source);
        checkWrapped(source, lines);
    }
    const QStringList shown = kvel::displayedLines(lines);
    require(!shown.isEmpty() && !shown.constLast().isEmpty(), "the last line can be measured");

    kvel::LineLanguageTable languages;
    for (qsizetype i = 0; i < shown.size(); ++i) {
        checkLine(shown[i], column);
        languages.set(int(i), kvel::lineLanguageOf(kvel::formatMarkup(shown[i])));
    }
    for (const int line :
         {-1, 0, int(shown.size()) - 1, kvel::LineLanguageTable::kCapacity, column}) {
        const int picked = languages.pickedLanguage(line);
        require(picked == 0 || picked == -1 || picked == 1, "a picked language is known");
    }
    return 0;
}
