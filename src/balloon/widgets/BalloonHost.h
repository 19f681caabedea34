// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QPoint>
#include <QString>

namespace kvel {

// What the translation window needs from the phrase bar that owns it. The bar
// implements this; the window knows nothing else about it.
class BalloonHost
{
public:
    virtual ~BalloonHost() = default;

    // The meanings of the one dictionary entry whose word is phrase and whose
    // Selected value is selected (0 or -1); empty when there is no such single
    // entry or the query fails.
    virtual QString QueryMeaning(const QString& phrase, int selected) = 0;

    // A right click on a picked phrase: it becomes the entry's text, which
    // runs the next lookup.
    virtual void setEntryText(const QString& text) = 0;
    // After every right click in the text: the entry's caret goes after its
    // last character with nothing selected.
    virtual void moveEntryCaretToEnd() = 0;

    // A right press on the close button closes the phrase bar itself, exactly
    // as the bar's own close does.
    virtual void closePhraseBar() = 0;

    // No placement fitted beside the bar: it moves here (the screen's corner)
    // and the balloon opens below it.
    virtual void moveBar(const QPoint& topLeft) = 0;

    // The fade-in settings, read each time the window is shown: on/off and
    // the speed (0 slow, 1 medium, 2 fast).
    virtual bool alphaBlendOn() const = 0;
    virtual int alphaBlendSpeed() const = 0;

    // True where window opacity really shows (a compositing manager runs),
    // so the window fades in only where the fade can be seen.
    virtual bool windowOpacityShows() const = 0;
};

} // namespace kvel
