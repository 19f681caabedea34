// SPDX-License-Identifier: GPL-2.0-or-later
// The bar's commands read what the window shows from the content model. Until
// they did, they read it back from the window's text: a line's head was its
// leading run of bold characters of one colour. That reading is kept here as a
// reference, and both are compared on odd dictionary data.

#include "../balloon/widgets/BalloonTestSupport.h"
#include "balloon/logic/LineWrapping.h"
#include "balloon/logic/PhrasePicking.h"
#include "balloon/widgets/TBalloonForm.h"
#include "core/content/ContentMarkup.h"
#include "core/text/PhraseNormalizer.h"
#include "phrasebar/FirstEntry.h"
#include "shell/speech/SpokenPhrase.h"
#include "support/QtPrinters.h"

#include <QGuiApplication>
#include <QRegularExpression>
#include <QScreen>
#include <QTextBlock>
#include <QTextEdit>
#include <gtest/gtest.h>

using namespace kvel;
using namespace Qt::StringLiterals;

namespace {

// ---- The reference: the colour-based reading as the bar had it. ----

QList<FormattedLine> colourReading(const TBalloonForm& form)
{
    QList<FormattedLine> lines;
    for (QTextBlock block = form.richEdit()->document()->begin(); block.isValid();
         block = block.next()) {
        FormattedLine line{block.text(), 0, HeadColour::Black};
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            const QTextCharFormat format = fragment.fragment().charFormat();
            if (format.fontWeight() < QFont::Bold)
                break;
            const QColor colour = format.foreground().color();
            const HeadColour head = colour == Qt::red    ? HeadColour::Red
                                    : colour == Qt::blue ? HeadColour::Blue
                                                         : HeadColour::Black;
            if (line.headLength > 0 && head != line.headColour)
                break;
            line.headColour = head;
            line.headLength += fragment.fragment().length();
        }
        lines.append(line);
    }
    return lines;
}

QList<FormattedLine> oldFormatLines(const QStringList& lines)
{
    static const QRegularExpression lineBreak(u"\r\n|[\r\n\u2028\u2029]"_s);
    QStringList shown;
    for (const QString& line : lines)
        shown += line.split(lineBreak);
    if (shown.isEmpty() || shown.constLast().isEmpty()) {
        if (!shown.isEmpty())
            shown.removeLast();
        shown += u" "_s;
    }
    QList<FormattedLine> formatted;
    for (const QString& line : shown)
        formatted.append(formatMarkup(line));
    return formatted;
}

bool oldIsEntryHead(const FormattedLine& line)
{
    return line.headLength > 0 &&
           (line.headColour == HeadColour::Red || line.headColour == HeadColour::Blue);
}

bool oldLineStartsEntry(const QList<FormattedLine>& lines, qsizetype index)
{
    return index >= 0 && index < lines.size() && oldIsEntryHead(lines[index]);
}

QString oldRememberedPhrase(const QList<FormattedLine>& lines, SearchLanguage language)
{
    if (!oldLineStartsEntry(lines, 0))
        return QString();
    const HeadColour head = lines[0].headColour;
    const bool accepted = language == SearchLanguage::Both ||
                          (language == SearchLanguage::English) == (head == HeadColour::Red);
    return accepted ? trimControl(lines[0].text.left(lines[0].headLength)) : QString();
}

std::optional<QString> oldFirstEntryText(const QList<FormattedLine>& lines, CopyMode mode)
{
    if (!oldLineStartsEntry(lines, 0))
        return std::nullopt;
    const FormattedLine& first = lines[0];
    const QString phrase = trimControl(first.text.left(first.headLength));
    QString meanings = trimControl(first.text.mid(first.headLength));
    for (qsizetype j = 1; j < lines.size() && !oldLineStartsEntry(lines, j); ++j)
        meanings += lines[j].text;
    meanings.remove(u'\r');
    meanings.remove(u'\n');
    if (mode == CopyMode::Phrase)
        return phrase;
    if (mode == CopyMode::Meanings)
        return meanings;
    return phrase + u'\t' + meanings;
}

std::optional<QString> oldPhraseToSpeak(const FormattedLine& line)
{
    if (line.headColour != HeadColour::Red || line.headLength <= 0)
        return std::nullopt;
    const QString head = line.text.left(line.headLength);
    qsizetype begin = 0;
    qsizetype end = head.size();
    const auto trimmed = [](QChar c) {
        return c.isSpace() || c.category() == QChar::Other_Control;
    };
    while (begin < end && trimmed(head[begin]))
        ++begin;
    while (end > begin && trimmed(head[end - 1]))
        --end;
    return head.mid(begin, end - begin);
}

int oldLineLanguage(const FormattedLine& line)
{
    if (line.headLength == 0 || line.headColour == HeadColour::Black)
        return 1;
    return line.headColour == HeadColour::Red ? 0 : -1;
}

int oldPickedLanguage(const QList<FormattedLine>& lines, int line)
{
    if (line < 0 || line >= 128)
        return 1;
    for (int above = line; above >= 0; --above) {
        if (oldLineLanguage(lines[above]) != 1)
            return oldLineLanguage(lines[above]);
    }
    return 1;
}

// ---- Both readings as text, side by side. ----

using Readings = QMap<QString, QString>;

QString text(const std::optional<QString>& value)
{
    return value ? u"\""_s + *value + u"\""_s : u"nothing"_s;
}

const std::pair<const char*, CopyMode> kCopies[] = {
    {"copy phrase", CopyMode::Phrase},
    {"copy meanings", CopyMode::Meanings},
    {"copy both", CopyMode::PhraseAndMeanings},
};
const std::pair<const char*, SearchLanguage> kRemembers[] = {
    {"remember in both", SearchLanguage::Both},
    {"remember in english", SearchLanguage::English},
    {"remember in serbian", SearchLanguage::Serbian},
};

QString pickKey(int line, int column)
{
    return u"pick %1:%2"_s.arg(line).arg(column);
}

Readings referenceReadings(const TBalloonForm& form)
{
    const QList<FormattedLine> lines = colourReading(form);
    // Results were copied from the lines with whole meanings, the rest from the window.
    QStringList whole;
    for (DictionaryEntry entry : form.content().entries) {
        entry.meanings = entry.wholeMeanings;
        whole << entryMarkup(entry);
    }
    const QList<FormattedLine> copied =
        form.contentKind() == ContentKind::Results ? oldFormatLines(whole) : lines;
    Readings r;
    r[u"entry shown"_s] = oldLineStartsEntry(lines, 0) ? u"yes"_s : u"no"_s;
    for (const auto& [name, mode] : kCopies)
        r[QString::fromLatin1(name)] = text(oldFirstEntryText(copied, mode));
    for (const auto& [name, language] : kRemembers)
        r[QString::fromLatin1(name)] = oldRememberedPhrase(lines, language);
    r[u"speak"_s] = text(oldPhraseToSpeak(lines.value(0)));
    r[u"pronounce item"_s] = oldPhraseToSpeak(lines.value(0)) ? u"on"_s : u"off"_s;
    for (int line = 0; line < lines.size(); ++line) {
        r[u"language %1"_s.arg(line)] = QString::number(oldPickedLanguage(lines, line));
        for (int column = 1; column <= lines[line].text.size() + 1; column += 3)
            r[pickKey(line, column)] = text(PhraseAt(lines[line].text, column));
    }
    return r;
}

Readings modelReadings(const TBalloonForm& form)
{
    const BalloonContent& content = form.content();
    Readings r;
    r[u"entry shown"_s] = firstEntryShown(content) ? u"yes"_s : u"no"_s;
    for (const auto& [name, mode] : kCopies)
        r[QString::fromLatin1(name)] = text(firstEntryText(content, mode));
    for (const auto& [name, language] : kRemembers)
        r[QString::fromLatin1(name)] = rememberedPhrase(content, language);
    r[u"speak"_s] = text(phraseToSpeak(content));
    r[u"pronounce item"_s] = phraseToSpeak(content) ? u"on"_s : u"off"_s;
    const QList<ShownLine>& lines = form.shownLines();
    for (int line = 0; line < lines.size(); ++line) {
        r[u"language %1"_s.arg(line)] = QString::number(pickedLanguage(content, lines, line));
        for (int column = 1; column <= lines[line].look.text.size() + 1; column += 3)
            r[pickKey(line, column)] = text(form.PhraseAt(line, column));
    }
    return r;
}

// ---- The cases. ----

struct Case
{
    const char* name;
    BalloonContent content;
    // Where the reference reads the window wrongly: the model's sound answer.
    Readings modelWhereTheReferenceIsWrong = {};
};

DictionaryEntry en(const QString& headword, const QString& meanings)
{
    return {headword, HeadLanguage::English, meanings, meanings};
}

DictionaryEntry sr(const QString& headword, const QString& meanings)
{
    return {headword, HeadLanguage::Serbian, meanings, meanings};
}

BalloonContent results(const QList<DictionaryEntry>& entries)
{
    return {ContentKind::Results, ImageId::SeveralHits, u"Last"_s, entries};
}

BalloonContent help(ContentKind kind, const QStringList& texts)
{
    return textContent(kind, ImageId::Keyboard, u"Help"_s, texts);
}

QList<Case> cases()
{
    const QString longMeanings = QString(60, u'a') + u"; "_s + QString(40, u'b') + u"; end"_s;
    const QString huge = QString(2500, u'm');
    DictionaryEntry cut = en(u"long"_s, huge);
    cut.meanings = huge.left(2000) + u'…';
    QList<DictionaryEntry> many;
    for (int i = 0; i < 131; ++i)
        many.append(i % 2 ? sr(u"s%1"_s.arg(i), u"x; y"_s) : en(u"e%1"_s.arg(i), u"z"_s));

    return {
        {"two entries", results({en(u"house"_s, u"kuća; dom"_s), sr(u"kuća"_s, u"house; home"_s)})},
        {"a wrapped entry", results({en(u"house"_s, longMeanings), sr(u"kuća"_s, u"house"_s)})},
        {"meanings shown cut", results({cut, sr(u"longer"_s, u"duži"_s)})},
        {"serbian first", results({sr(u"kuća"_s, u"house"_s), en(u"house"_s, u"kuća"_s)})},
        {"blank headword", results({en(u"   "_s, u"kuća"_s)})},
        {"control characters",
         results({en(u"\x01\rhouse\x7f"_s, u"kuća"_s)}),
         {{u"entry shown"_s, u"yes"_s},
          {u"copy phrase"_s, u"\"house\x7f\""_s},
          {u"copy meanings"_s, u"\"kuća\""_s},
          {u"copy both"_s, u"\"house\x7f\tkuća\""_s},
          {u"remember in both"_s, u"house\x7f"_s},
          {u"remember in english"_s, u"house\x7f"_s},
          {u"speak"_s, u"\"house\""_s},
          {u"pronounce item"_s, u"on"_s},
          {u"language 0"_s, u"0"_s}}},
        {"more lines than are picked", results(many)},
        {"keyboard list", help(ContentKind::KeyboardList, {u"Alt+L~2 language"_s, u"Keys:"_s})},
        {"no matches", help(ContentKind::NoMatches, {u"Sorry; not found"_s})},
        {"empty headword second",
         results({en(u"cat"_s, u"mačka"_s), sr(QString(), u"x; y"_s)}),
         {{u"copy meanings"_s, u"\"mačka\""_s},
          {u"copy both"_s, u"\"cat\tmačka\""_s},
          {u"language 1"_s, u"-1"_s}}},
        {"empty headword first",
         results({en(QString(), u"meaning"_s), en(u"cat"_s, u"mačka"_s)}),
         {{u"language 0"_s, u"0"_s}}},
        {"tildes in the headword",
         results({en(u"A~0B~1C"_s, u"x"_s)}),
         {{u"copy phrase"_s, u"\"A~0B~1C\""_s},
          {u"copy meanings"_s, u"\"x\""_s},
          {u"copy both"_s, u"\"A~0B~1C\tx\""_s},
          {u"remember in both"_s, u"A~0B~1C"_s},
          {u"remember in english"_s, u"A~0B~1C"_s},
          {u"remember in serbian"_s, u""_s},
          {u"speak"_s, u"\"A~0B~1C\""_s},
          {u"pronounce item"_s, u"on"_s},
          {u"language 0"_s, u"0"_s}}},
        {"tildes in the meanings",
         results({en(u"apple"_s, u"A~0B~1C jabuka"_s)}),
         {{u"copy phrase"_s, u"\"apple\""_s},
          {u"copy meanings"_s, u"\"A~0B~1C jabuka\""_s},
          {u"copy both"_s, u"\"apple\tA~0B~1C jabuka\""_s},
          {u"remember in both"_s, u"apple"_s},
          {u"remember in english"_s, u"apple"_s},
          {u"remember in serbian"_s, u""_s},
          {u"speak"_s, u"\"apple\""_s},
          {u"pronounce item"_s, u"on"_s},
          {u"language 0"_s, u"0"_s}}},
        {"a label code in the meanings",
         results({en(u"apple"_s, u"x~2y"_s)}),
         {{u"entry shown"_s, u"yes"_s},
          {u"copy phrase"_s, u"\"apple\""_s},
          {u"copy meanings"_s, u"\"x~2y\""_s},
          {u"copy both"_s, u"\"apple\tx~2y\""_s},
          {u"remember in both"_s, u"apple"_s},
          {u"remember in english"_s, u"apple"_s},
          {u"speak"_s, u"\"apple\""_s},
          {u"pronounce item"_s, u"on"_s},
          {u"language 0"_s, u"0"_s}}},
        {"a line break in the headword",
         results({en(u"line\nbreak"_s, u"two\nlines"_s), sr(u"b"_s, u"c"_s)}),
         {{u"entry shown"_s, u"yes"_s},
          {u"copy phrase"_s, u"\"linebreak\""_s},
          {u"copy meanings"_s, u"\"twolines\""_s},
          {u"copy both"_s, u"\"linebreak\ttwolines\""_s},
          {u"remember in both"_s, u"linebreak"_s},
          {u"remember in english"_s, u"linebreak"_s},
          {u"speak"_s, u"\"line\nbreak\""_s},
          {u"pronounce item"_s, u"on"_s},
          {u"language 0"_s, u"0"_s}}},
        {"line breaks in the meanings",
         results({en(u"w"_s, u"two \n lines\u2028end"_s), sr(u"v"_s, u"x"_s)}),
         {{u"copy meanings"_s, u"\"two  linesend\""_s},
          {u"copy both"_s, u"\"w\ttwo  linesend\""_s}}},
        {"a line break in the second headword",
         results({en(u"w"_s, u"m"_s), sr(u"v\nx"_s, u"y"_s)}),
         {{u"copy meanings"_s, u"\"m\""_s},
          {u"copy both"_s, u"\"w\tm\""_s},
          {u"language 1"_s, u"-1"_s}}},
    };
}

class FirstEntryReference : public testing::TestWithParam<bool>
{
protected:
    test::FakeBalloonHost host;
    TBalloonForm form{host};
};

} // namespace

TEST_P(FirstEntryReference, TheModelReadsWhatTheWindowShows)
{
    const bool wrap = GetParam();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect anchor(screen.x() + 40, screen.y() + 200, 153, 20);
    for (const Case& c : cases()) {
        SCOPED_TRACE(c.name);
        form.ShowContent(c.content, anchor, {true, wrap, true});

        // What the window draws is what it drew from the lines in text form.
        QStringList source = markupLines(c.content);
        if (wrap)
            source = WrapLines(source);
        QList<FormattedLine> drawn = colourReading(form);
        QList<FormattedLine> before = oldFormatLines(source);
        for (QList<FormattedLine>* lines : {&drawn, &before}) {
            for (FormattedLine& line : *lines) {
                if (line.headLength == 0)
                    line.headColour = HeadColour::Black;
            }
        }
        EXPECT_EQ(drawn, before);

        const Readings reference = referenceReadings(form);
        const Readings model = modelReadings(form);
        EXPECT_EQ(model.keys(), reference.keys());
        for (auto it = reference.cbegin(); it != reference.cend(); ++it) {
            const QString& key = it.key();
            if (c.modelWhereTheReferenceIsWrong.contains(key)) {
                EXPECT_NE(model.value(key), it.value()) << key.toStdString();
                EXPECT_EQ(model.value(key), c.modelWhereTheReferenceIsWrong.value(key))
                    << key.toStdString();
            } else {
                EXPECT_EQ(model.value(key), it.value()) << key.toStdString();
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Wrapping, FirstEntryReference, testing::Bool());
