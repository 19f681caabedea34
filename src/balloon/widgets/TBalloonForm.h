// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "balloon/logic/LineLanguageTable.h"
#include "balloon/widgets/BalloonPlacement.h"
#include "core/content/LookupDisplay.h"

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
struct FormattedLine;

// The translation window: a borderless, always-on-top speech balloon whose
// tail points at the phrase bar. It shows lookup results and help texts in
// the three-code mark-up and lets the user pick phrases inside the meanings.
class TBalloonForm : public QWidget
{
    Q_OBJECT

public:
    explicit TBalloonForm(BalloonHost& host, QWidget* parent = nullptr);
    ~TBalloonForm() override;

    // Renders lines (mark-up "head~0rest", "~1", "~2") beside the bar whose
    // screen bounds are anchor, and shows the window. With wrap, lines is
    // replaced by its wrapped form.
    void ShowTranslation(ContentKind kind, const QRect& anchor, QStringList& lines, bool sensitive,
                         bool wrap, bool locked, Qt::Alignment alignment, const QString& caption,
                         int bitmapId);

    // Locked: the text takes no input and the mouse picks phrases. Unlocked:
    // the text is selectable and has the keyboard focus.
    void ApplyLockState();
    bool locked() const { return Locked; }
    void setLocked(bool locked) { Locked = locked; }

    ContentKind contentKind() const { return FContentKind; }
    // 1..4, see BalloonPlacement.h.
    int placement() const { return Placement; }
    // The lines as last handed over, before wrapping.
    const QStringList& sourceLines() const { return SourceLines; }
    // The rendered text, for the bar's commands that read the first entry.
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
    QSize fillText(const QStringList& lines);
    BalloonSize fitTextView(const QSize& text, const QRect& screen, int anchorHeight);
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

    ContentKind FContentKind = ContentKind::Results;
    QStringList SourceLines;
    LineLanguageTable LineLanguage;
    bool Locked = true;
    bool Sensitive = false;
    bool PickArmed = false;
    QString PickedPhrase;
    int PickedLanguage = 1;
    int Placement = 4;
    QPolygon RegionPoints;
    QPolygon BorderPoints;
    QPointer<TAlphaThread> FadeThread;
    bool LockImagePressed = false;
};

} // namespace kvel
