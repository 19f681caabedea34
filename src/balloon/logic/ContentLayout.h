// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "balloon/logic/BalloonMarkup.h"
#include "core/content/BalloonContent.h"

#include <QList>
#include <optional>

namespace kvel {

// One line as the window draws it, and the entry it shows part of.
struct ShownLine
{
    FormattedLine look;
    // Index into the content's entries; none for a help line.
    std::optional<qsizetype> entry;

    bool operator==(const ShownLine&) const = default;
};

// The lines the window draws for `content`: every entry and help line in its
// text form, cut at ';' when `wrap` asks for it (see LineWrapping.h), split
// at its line breaks and formatted; a trailing empty line becomes one blank.
QList<ShownLine> layOutContent(const BalloonContent& content, bool wrap);

// Picks on the first lines only, as the window has always done: a pick
// further down has no known language and looks nothing up.
inline constexpr int kPickableLines = 128;

// A picked phrase of this language is shown but never looked up.
inline constexpr int kNoPickLanguage = 1;

// The Selected value a phrase picked on `line` is looked up with: 0 in an
// English entry, -1 in a Serbian one, kNoPickLanguage elsewhere.
int pickedLanguage(const BalloonContent& content, const QList<ShownLine>& lines, int line);

} // namespace kvel
