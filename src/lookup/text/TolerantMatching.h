// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "core/SearchSettings.h"

#include <QString>
#include <QStringList>

namespace kvel {

// Tolerant search lets a plain letter of the phrase stand for that letter with
// or without marks ("c" for c, č and ć; "d" and "dj" for đ), while a letter
// typed with marks stands only for itself. Serbian Cyrillic is read as Latin.

// The text as tolerant search compares it: case folded, Serbian Cyrillic in
// Latin letters, composed (e + ◌́ is é).
QString tolerantForm(const QString& text);
// Likewise for a text already folded by foldForMatching.
QString tolerantFormOfFolded(const QString& folded);

// Every letter of a tolerant form without its marks, đ as d: a headword that
// matches a phrase tolerantly has a key that matches one of the phrase's
// candidate keys exactly.
QString tolerantKey(QStringView form);

// The letters of a tolerant form written with marks, as plain letters (č and
// ć give c, đ gives d): only these let a plain letter typed match otherwise
// than exactly.
QString lettersWrittenWithMarks(QStringView form);

// Serbian is written in two pronunciations of the old jat: ijekavian
// "mlijeko", "dijete", "uspio" are ekavian "mleko", "dete", "uspeo". A Serbian
// headword also matches a phrase in the other pronunciation.
enum class Pronunciations
{
    AsWritten,
    EkavianOrIjekavian
};

// Whether a headword's tolerant form matches a phrase's by the method.
bool matchesTolerantly(QStringView wordForm, QStringView phraseForm, FindMethod method,
                       Pronunciations pronunciations = Pronunciations::AsWritten);

// A tolerant key read as ekavian: "ije" and "je" after a consonant as "e",
// "-io" after a consonant at the end of a word as "-eo". Left alone, because
// they are seldom the jat: "je" after l and n (the digraphs of polje, znanje),
// "jedn"/"jedin" (izjednačiti), a word's last "je" but after d (kozje, gdje),
// and a word's last "ije" but in prije, dvije, poslije (nije, jasnije, opcije).
QString ekavianKey(QStringView key);

// What to look up in the keys to find every headword a phrase may match
// tolerantly: the phrase's key with each "dj" kept or read as đ, by `method`.
// A phrase with very many "dj" is cut before the later ones, and the method
// widened to one that a part of the phrase finds.
struct TolerantCandidates
{
    QStringList keys;
    FindMethod method;
};
TolerantCandidates tolerantCandidates(QStringView phraseForm, FindMethod method);

} // namespace kvel
