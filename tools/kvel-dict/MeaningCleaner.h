// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace kvel::dictbuild {

// A dictd article reduced to what a Kvel row holds.
struct DictdArticle
{
    QString headword;
    QStringList meanings;

    bool operator==(const DictdArticle&) const = default;
};

// One line of meanings split into single meanings: "1. time, while" gives "time"
// and "while". Pronunciations in slashes and the sense number go; commas and
// semicolons inside brackets and between digits ("1,5") do not split.
QStringList splitMeanings(const QString& line);

// A dictd article ("house /haus/\nкућа") under its index headword. A first line
// that holds a pronunciation, or is the headword itself, is the header: it is
// dropped, and gives the headword its written case when it spells the same word.
// Numbered senses and their indented continuation lines become meanings; "Note:"
// lines are not meanings and are dropped.
DictdArticle parseDictdArticle(const QString& indexHeadword, const QString& text);

} // namespace kvel::dictbuild
