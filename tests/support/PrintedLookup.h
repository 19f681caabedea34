// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "core/content/BalloonContent.h"
#include "core/content/ContentMarkup.h"

#include <QStringList>
#include <optional>

namespace kvel::test {

// What kvel-lookup prints of a lookup (closed, kind, bitmap, caption and the
// lines in text form), plus the entries with their meanings whole in the
// same form, so that tests state what a lookup shows the way its users read it.
struct PrintedLookup
{
    PrintedLookup(const std::optional<BalloonContent>& content) // NOLINT: converts on purpose
        : closed(!content)
    {
        if (!content)
            return;
        kind = content->kind;
        bitmapId = int(content->image);
        caption = content->caption;
        lines = markupLines(*content);
        for (DictionaryEntry entry : content->entries) {
            entry.meanings = entry.wholeMeanings;
            wholeLines.append(entryMarkup(entry));
        }
    }

    bool closed = true;
    ContentKind kind = ContentKind::Results;
    int bitmapId = 0;
    QString caption;
    QStringList lines;
    QStringList wholeLines;
};

} // namespace kvel::test
