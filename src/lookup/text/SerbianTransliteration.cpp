// SPDX-License-Identifier: GPL-2.0-or-later
#include "lookup/text/SerbianTransliteration.h"

namespace kvel {

namespace {

struct Letter
{
    char16_t cyrillic;
    const char16_t* latin;
};

// The Serbian alphabet in the lower case, plus е and и with the accent mark that
// tells homographs apart (ѐ, ѝ). Other Cyrillic letters (Russian ы, Macedonian ѓ)
// have no Serbian Latin spelling and are left as they are.
constexpr Letter kLetters[] = {
    {u'а', u"a"}, {u'б', u"b"},  {u'в', u"v"}, {u'г', u"g"}, {u'д', u"d"},  {u'ђ', u"đ"},
    {u'е', u"e"}, {u'ж', u"ž"},  {u'з', u"z"}, {u'и', u"i"}, {u'ј', u"j"},  {u'к', u"k"},
    {u'л', u"l"}, {u'љ', u"lj"}, {u'м', u"m"}, {u'н', u"n"}, {u'њ', u"nj"}, {u'о', u"o"},
    {u'п', u"p"}, {u'р', u"r"},  {u'с', u"s"}, {u'т', u"t"}, {u'ћ', u"ć"},  {u'у', u"u"},
    {u'ф', u"f"}, {u'х', u"h"},  {u'ц', u"c"}, {u'ч', u"č"}, {u'џ', u"dž"}, {u'ш', u"š"},
    {u'ѐ', u"è"}, {u'ѝ', u"ì"},
};

QStringView lowerLatinFor(char16_t lower)
{
    for (const Letter& letter : kLetters) {
        if (letter.cyrillic == lower) {
            return letter.latin;
        }
    }
    return {};
}

bool isWordCharacter(QChar c)
{
    return c.isLetter() || c.isMark();
}

// Decides between "DŽ" and "Dž" for a capital digraph: capitals throughout when
// its word has another letter and no lower-case one (ЏУГАЊ), title case otherwise.
bool isInAllCapitalsWord(const QString& text, qsizetype at)
{
    qsizetype begin = at;
    while (begin > 0 && isWordCharacter(text.at(begin - 1))) {
        --begin;
    }
    qsizetype end = at + 1;
    while (end < text.size() && isWordCharacter(text.at(end))) {
        ++end;
    }
    int letters = 0;
    for (qsizetype i = begin; i < end; ++i) {
        if (text.at(i).isLower()) {
            return false;
        }
        letters += text.at(i).isLetter() ? 1 : 0;
    }
    return letters > 1;
}

} // namespace

QString transliterateSerbianCyrillic(const QString& text)
{
    QString result;
    result.reserve(text.size() + text.size() / 8);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const bool upper = c.isUpper();
        const QStringView latin = lowerLatinFor(upper ? c.toLower().unicode() : c.unicode());
        if (latin.isEmpty()) {
            result += c;
        } else if (!upper) {
            result += latin;
        } else if (latin.size() == 1 || isInAllCapitalsWord(text, i)) {
            result += latin.toString().toUpper();
        } else {
            result += latin.first(1).toString().toUpper();
            result += latin.sliced(1);
        }
    }
    return result;
}

} // namespace kvel
