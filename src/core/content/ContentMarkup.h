// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "core/content/BalloonContent.h"

#include <QStringList>

namespace kvel {

// The text form of what the window shows, for where it is read or written as
// text: "word~0meanings" for an English headword, "word~1meanings" for a
// Serbian one, "label~2text" for a labelled help line, the text alone for
// any other. kvel-lookup prints it, the string table is written in it, and
// the window draws through it, so that tildes inside a dictionary's own text
// look as they always have.
QString entryMarkup(const DictionaryEntry& entry);
QString helpLineMarkup(const HelpLine& line);

// One line per entry (meanings as shown) or help line, in order.
QStringList markupLines(const BalloonContent& content);

// A text split at its line breaks (CR LF, CR, LF, U+2028, U+2029).
QStringList splitAtLineBreaks(const QString& text);

// A text of the string table as help lines, one per line of it; a line's
// label is what comes before its first "~2".
QList<HelpLine> helpLinesFromText(const QString& text);

// A help text or notice made of such texts, one after the other.
BalloonContent textContent(ContentKind kind, ImageId image, const QString& caption,
                           const QStringList& texts, Qt::Alignment alignment = Qt::AlignLeft);

} // namespace kvel
