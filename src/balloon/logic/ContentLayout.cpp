// SPDX-License-Identifier: GPL-2.0-or-later
#include "balloon/logic/ContentLayout.h"

#include "balloon/logic/LineWrapping.h"
#include "core/SearchSettings.h"
#include "core/content/ContentMarkup.h"

using namespace Qt::StringLiterals;

namespace kvel {

QList<ShownLine> layOutContent(const BalloonContent& content, bool wrap)
{
    const QStringList rows = markupLines(content);
    QList<ShownLine> shown;
    for (qsizetype row = 0; row < rows.size(); ++row) {
        const std::optional<qsizetype> entry =
            row < content.entries.size() ? std::optional(row) : std::nullopt;
        const QStringList pieces = wrap ? WrapLines({rows[row]}) : QStringList{rows[row]};
        for (const QString& piece : pieces) {
            for (const QString& line : splitAtLineBreaks(piece))
                shown.append({formatMarkup(line), entry});
        }
    }
    // An empty last line could not be measured.
    if (shown.isEmpty() || shown.constLast().look.text.isEmpty()) {
        const std::optional<qsizetype> entry =
            shown.isEmpty() ? std::nullopt : shown.constLast().entry;
        if (!shown.isEmpty())
            shown.removeLast();
        shown.append({formatMarkup(u" "_s), entry});
    }
    return shown;
}

int pickedLanguage(const BalloonContent& content, const QList<ShownLine>& lines, int line)
{
    if (line < 0 || line >= kPickableLines || line >= lines.size() || !lines[line].entry)
        return kNoPickLanguage;
    // The meanings of an English headword are Serbian phrases, and the other way round.
    return content.entries[*lines[line].entry].language == HeadLanguage::English ? kSerbianHeadword
                                                                                 : kEnglishHeadword;
}

} // namespace kvel
