// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "balloon/widgets/BalloonHost.h"
#include "balloon/widgets/TBalloonForm.h"
#include "support/ContentFromText.h"

#include <QList>
#include <QPair>
#include <QStringList>

namespace kvel::test {

// Records what the translation window asks of the phrase bar.
class FakeBalloonHost : public BalloonHost
{
public:
    QString QueryMeaning(const QString& phrase, int selected) override
    {
        queries.append({phrase, selected});
        return meanings;
    }
    void setEntryText(const QString& text) override { entryTexts.append(text); }
    void moveEntryCaretToEnd() override { ++caretMoves; }
    void closePhraseBar() override { ++barCloses; }
    void moveBar(const QPoint& topLeft) override { barMoves.append(topLeft); }
    bool alphaBlendOn() const override { return fadeOn; }
    int alphaBlendSpeed() const override { return fadeSpeed; }
    // Offscreen, opacity never shows; the fade tests say otherwise themselves.
    bool windowOpacityShows() const override { return false; }

    QString meanings;
    bool fadeOn = false;
    int fadeSpeed = 1;

    QList<QPair<QString, int>> queries;
    QStringList entryTexts;
    int caretMoves = 0;
    int barCloses = 0;
    QList<QPoint> barMoves;
};

// Renders lines written in text form (see ContentFromText.h) the way the
// lookup does: results, sensitive, locked.
struct Rendering
{
    ContentKind kind = ContentKind::Results;
    QRect anchor;
    bool sensitive = true;
    bool wrap = false;
    bool locked = true;
    Qt::Alignment alignment = Qt::AlignLeft;
    QString caption = QStringLiteral("Bingo!");
    ImageId image = ImageId::OneHit;

    void show(TBalloonForm& form, const QStringList& lines) const
    {
        BalloonContent content = contentFromText(lines, kind);
        content.image = image;
        content.caption = caption;
        content.alignment = alignment;
        form.ShowContent(content, anchor, {sensitive, wrap, locked});
    }
};

} // namespace kvel::test
