// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "balloon/logic/ContentLayout.h"
#include "balloon/widgets/BalloonPlacement.h"
#include "core/content/BalloonContent.h"

#include <QPointer>
#include <QPolygon>
#include <QStringList>
#include <QWidget>
#include <optional>

class QFrame;
class QLabel;
class QTextCursor;
class QTextEdit;
class QToolButton;

namespace kvel {

class BalloonHost;
class TAlphaThread;
class TMyHint;

// How one showing behaves: picking phrases on or off, long lines cut at ';',
// and whether the text starts locked.
struct BalloonOptions
{
    bool sensitive = false;
    bool wrap = false;
    bool locked = true;
};

// The translation window: a borderless, always-on-top speech balloon whose
// tail points at the phrase bar. It shows lookup results and help texts and
// lets the user pick phrases inside the meanings.
class TBalloonForm : public QWidget
{
    Q_OBJECT

public:
    explicit TBalloonForm(BalloonHost& host, QWidget* parent = nullptr);
    ~TBalloonForm() override;

    // Renders `content` beside the bar whose screen bounds are anchor, and
    // shows the window.
    void ShowContent(const BalloonContent& content, const QRect& anchor,
                     const BalloonOptions& options);

    // Locked: the text takes no input and the mouse picks phrases. Unlocked:
    // the text is selectable and has the keyboard focus.
    void ApplyLockState();
    bool locked() const { return Locked; }
    void setLocked(bool locked) { Locked = locked; }

    // What the window shows now (or showed last, once hidden).
    const BalloonContent& content() const { return Content; }
    ContentKind contentKind() const { return Content.kind; }
    // The lines as drawn, each with the entry it belongs to.
    const QList<ShownLine>& shownLines() const { return Shown; }
    // 1..4, see BalloonPlacement.h.
    int placement() const { return Placement; }
    // The content's lines in their text form, before wrapping.
    QStringList sourceLines() const;
    // The rendered text view.
    QTextEdit* richEdit() const { return RichEdit; }
    // The window's own hint, showing picked phrases and their meanings.
    TMyHint* hintWindow() const { return HintWindow; }

    // The phrase around a 1-based column of a displayed line; nullopt when
    // the column or the line lies outside the text.
    std::optional<QString> PhraseAt(int line, int column) const;

protected:
    // True where window opacity really shows (a compositing manager runs).
    virtual bool CanFade() const;
    // A fade pass still runs; a showing meanwhile does not start another.
    bool Fading() const;

    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void buildControls();
    void layoutBody(const BalloonSize& size, int placement);
    QSize fillText();
    int textHeight() const;
    BalloonSize fitTextView(const QSize& text, const QRect& screen, const QRect& anchor);
    QSize wrapTextAt(const QSize& text, int width);
    void FormatLineHead(QTextCursor& cursor, const FormattedLine& line);
    void applyOutline(const BalloonPlacement& placed, const QSize& window);
    QRect screenFor(const QRect& anchor) const;

    void FormShow();
    void FormClose();
    bool FormKeyDown(const QKeyEvent& event);
    void LockImageClick();
    void SpeedButtonMouseDown(Qt::MouseButton button);
    void CentralPanelMouseMove(const QPoint& pos);
    void CentralPanelMouseDown(const QPoint& pos, Qt::MouseButton button);
    void CentralPanelMouseUp();
    bool centralPanelEvent(QEvent* event);

    bool pickingEnabled() const;
    void clearPick();
    void showHintAt(const QPoint& panelPos, const QString& text);
    std::optional<std::pair<int, int>> lineAndColumnAt(const QPoint& panelPos) const;

    BalloonHost& Host;

    QWidget* CentralPanel = nullptr;
    QWidget* CentralTopPanel = nullptr;
    QLabel* Image = nullptr;
    QLabel* Label = nullptr;
    QLabel* LockImage = nullptr;
    QToolButton* SpeedButton = nullptr;
    QFrame* Bevel = nullptr;
    QWidget* CentralBottomPanel = nullptr;
    QTextEdit* RichEdit = nullptr;
    TMyHint* HintWindow = nullptr;

    BalloonContent Content;
    QList<ShownLine> Shown;
    bool Locked = true;
    bool Sensitive = false;
    bool PickArmed = false;
    QString PickedPhrase;
    int PickedLanguage = kNoPickLanguage;
    int Placement = 4;
    QPolygon RegionPoints;
    QPolygon BorderPoints;
    QPointer<TAlphaThread> FadeThread;
    bool LockImagePressed = false;
};

} // namespace kvel
