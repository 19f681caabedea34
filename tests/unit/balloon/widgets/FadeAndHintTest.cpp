// SPDX-License-Identifier: GPL-2.0-or-later
#include "BalloonTestSupport.h"
#include "balloon/widgets/TAlphaThread.h"
#include "balloon/widgets/TBalloonForm.h"
#include "balloon/widgets/TMyHint.h"
#include "support/QtPrinters.h"

#include <QGuiApplication>
#include <QImage>
#include <QPointer>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>
#include <QWindow>
#include <gtest/gtest.h>

using namespace kvel;
using namespace Qt::StringLiterals;

namespace {

// Generous: the fade's pace is the event loop's, this only stops a hang.
constexpr int kFadeWaitMs = 30000;

QList<int> expectedFade(int step)
{
    QList<int> alphas;
    for (int alpha = 0; alpha < 256; alpha += step)
        alphas += alpha;
    alphas += 255;
    return alphas;
}

// Runs one fade of a plain window to its end and returns the opacities applied.
QList<int> fadeOf(QWidget& window, int speed)
{
    auto* fade = new TAlphaThread(&window);
    QList<int> applied;
    QObject::connect(fade, &TAlphaThread::alphaApplied,
                     [&applied](int alpha) { applied += alpha; });
    QSignalSpy finished(fade, &QThread::finished);
    fade->setStep(TAlphaThread::stepForSpeed(speed));
    fade->start(QThread::LowPriority);
    EXPECT_TRUE(finished.wait(kFadeWaitMs));
    return applied;
}

int opacityOf(const QWidget& window)
{
    return qRound(window.windowOpacity() * 255);
}

// A window whose platform shows opacity; it notes the opacity at every repaint.
class FadingBalloon : public TBalloonForm
{
public:
    using TBalloonForm::Fading;
    using TBalloonForm::TBalloonForm;
    QList<int> paintedOpacities;

protected:
    bool CanFade() const override { return true; }
    void paintEvent(QPaintEvent* event) override
    {
        if (paintedOpacities.isEmpty() || paintedOpacities.constLast() != opacityOf(*this))
            paintedOpacities += opacityOf(*this);
        TBalloonForm::paintEvent(event);
    }
};

// Keeps a window's frames from the screen, as a slow window system does,
// until release().
class HeldExposure : public QObject
{
public:
    explicit HeldExposure(QWidget& window) : m_window(window)
    {
        window.winId();
        window.windowHandle()->installEventFilter(this);
    }
    void release()
    {
        m_held = false;
        QExposeEvent exposed{QRegion(m_window.rect())};
        QCoreApplication::sendEvent(m_window.windowHandle(), &exposed);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        return m_held && event->type() == QEvent::Expose;
    }

private:
    QWidget& m_window;
    bool m_held = true;
};

// QTRY_* would end the test silently on a timeout; these waits fail it.
void waitForOpaque(const QWidget& window)
{
    EXPECT_TRUE(QTest::qWaitFor([&window] { return opacityOf(window) == 255; }, kFadeWaitMs));
}

} // namespace

TEST(TAlphaThread, EachSpeedStepsTheOpacityUpAndEndsOpaque)
{
    struct Case
    {
        int speed;
        int step;
    };
    const Case cases[] = {{0, 1}, {1, 8}, {2, 16}, {7, 16}, {-1, 16}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.speed);
        EXPECT_EQ(TAlphaThread::stepForSpeed(c.speed), c.step);
        QWidget window;
        window.show();
        EXPECT_EQ(fadeOf(window, c.speed), expectedFade(c.step));
        EXPECT_EQ(opacityOf(window), 255);
    }
    EXPECT_EQ(expectedFade(16).size(), 17);
}

TEST(TAlphaThread, ADetachedFadeNoLongerTouchesTheWindow)
{
    QWidget window;
    window.show();
    auto* fade = new TAlphaThread(&window);
    EXPECT_EQ(opacityOf(window), 0);
    QSignalSpy finished(fade, &QThread::finished);
    fade->start();
    fade->detach();
    ASSERT_TRUE(finished.wait(kFadeWaitMs));
    QCoreApplication::processEvents();
    EXPECT_EQ(opacityOf(window), 0);
}

TEST(TAlphaThread, AWindowDestroyedDuringAFadeIsLeftAlone)
{
    auto* window = new QWidget;
    window->show();
    QPointer<TAlphaThread> fade = new TAlphaThread(window);
    QSignalSpy finished(fade.data(), &QThread::finished);
    fade->start();
    delete window;
    ASSERT_TRUE(finished.wait(kFadeWaitMs));
    EXPECT_TRUE(QTest::qWaitFor([&fade] { return fade.isNull(); }, kFadeWaitMs));
}

class BalloonFade : public testing::Test
{
protected:
    void SetUp() override
    {
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        rendering.anchor = QRect(screen.x() + 40, screen.y() + 200, 153, 20);
        host.fadeOn = true;
        host.fadeSpeed = 2;
    }

    test::FakeBalloonHost host;
    test::Rendering rendering;
};

TEST_F(BalloonFade, ShowingTheWindowFadesItInAtTheChosenSpeed)
{
    FadingBalloon form(host);
    rendering.show(form, {u"house~0kuća"_s});
    waitForOpaque(form);
    EXPECT_EQ(form.paintedOpacities, expectedFade(16));
}

TEST_F(BalloonFade, WithoutBlendingOrTranslucencyTheWindowIsOpaqueAtOnce)
{
    host.fadeOn = false;
    FadingBalloon off(host);
    rendering.show(off, {u"house~0kuća"_s});
    EXPECT_EQ(off.paintedOpacities, QList<int>{255});

    host.fadeOn = true;
    TBalloonForm withoutCompositor(host);
    rendering.show(withoutCompositor, {u"house~0kuća"_s});
    EXPECT_EQ(opacityOf(withoutCompositor), 255);
}

TEST_F(BalloonFade, AFadeCutShortByClosingStillEndsOpaqueAndTheNextShowingFadesAgain)
{
    FadingBalloon form(host);
    rendering.show(form, {u"house~0kuća"_s});
    form.close();
    waitForOpaque(form);
    // Opaque comes with the pass's last step, a moment before the pass ends.
    ASSERT_TRUE(QTest::qWaitFor([&form] { return !form.Fading(); }, kFadeWaitMs));

    // The fade begins with the first frame drawn, so every step is seen
    // however late the window reaches the screen.
    form.paintedOpacities.clear();
    HeldExposure late(form);
    rendering.show(form, {u"house~0kuća"_s});
    QTest::qWait(200); // long enough for a whole fade, had it begun unseen
    late.release();
    waitForOpaque(form);
    ASSERT_FALSE(form.paintedOpacities.isEmpty());
    EXPECT_EQ(form.paintedOpacities.first(), 0);
    EXPECT_EQ(form.paintedOpacities, expectedFade(16));
}

TEST_F(BalloonFade, DestroyingTheWindowDuringAFadeIsSafe)
{
    auto* form = new FadingBalloon(host);
    rendering.show(*form, {u"house~0kuća"_s});
    delete form;
    // The detached fade runs its pass out on the event loop without the window.
    QTest::qWait(50);
    SUCCEED();
}

TEST(TMyHint, RedTextOnWhiteInAFlatFrameWrappedToTheWidthAllowed)
{
    TMyHint hint;
    const QString text = u"kuća; dom; zgrada & more; and a few further meanings"_s;
    const QSize wide = hint.sizeForText(text, 2000);
    const QSize narrow = hint.sizeForText(text, 80);
    EXPECT_LE(narrow.width(), 80 + 6);
    EXPECT_GT(narrow.height(), wide.height());

    hint.showHint(QPoint(10, 10), 0, text, QRect(0, 0, 2000 + 6, 1000));
    EXPECT_EQ(hint.size(), wide);
    EXPECT_EQ(hint.text(), text);
    const QImage image = hint.grab().toImage();
    EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(image.width() - 1, image.height() - 1), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(1, 1), QColor(Qt::white));
    bool red = false;
    for (int y = 0; y < image.height() && !red; ++y) {
        for (int x = 0; x < image.width() && !red; ++x)
            red = image.pixelColor(x, y) == QColor(Qt::red);
    }
    EXPECT_TRUE(red);
    hint.closeHint();
    EXPECT_FALSE(hint.isVisible());
}

TEST(TMyHint, TheProgramsTooltipsTakeItsColours)
{
    test::FakeBalloonHost host;
    TBalloonForm form(host);
    EXPECT_EQ(QToolTip::palette().color(QPalette::ToolTipText), QColor(Qt::red));
    EXPECT_EQ(QToolTip::palette().color(QPalette::ToolTipBase), QColor(Qt::white));
}
