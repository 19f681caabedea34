// SPDX-License-Identifier: GPL-2.0-or-later
// Shows a lookup result in the translation window beside a stand-in phrase
// bar in each quarter of the screen. After each rendering it prints
// "shot <quarter> <placement> <x> <y> <width> <height>" and waits for a line
// on standard input, so that a script can grab the screen meanwhile.
// With --can-fade it prints "canfade 0|1" and ends.

#include "balloon/widgets/BalloonHost.h"
#include "balloon/widgets/TBalloonForm.h"
#include "shell/x11/Compositing.h"

#include <QApplication>
#include <QScreen>
#include <QTest>
#include <cstdio>
#include <iostream>
#include <string>

using namespace kvel;
using namespace Qt::StringLiterals;

namespace {

class ShotHost : public BalloonHost
{
public:
    QString QueryMeaning(const QString&, int) override { return {}; }
    void setEntryText(const QString&) override {}
    void moveEntryCaretToEnd() override {}
    void closePhraseBar() override {}
    void moveBar(const QPoint&) override {}
    bool alphaBlendOn() const override { return false; }
    int alphaBlendSpeed() const override { return 2; }
    bool windowOpacityShows() const override { return compositingManagerRunning(); }
};

DictionaryEntry entry(const QString& headword, HeadLanguage language, const QString& meanings)
{
    return {headword, language, meanings, meanings};
}

struct Quarter
{
    const char* name;
    bool right;
    bool lower;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (app.arguments().contains(u"--can-fade"_s)) {
        std::cout << "canfade " << (compositingManagerRunning() ? 1 : 0) << std::endl;
        return 0;
    }

    ShotHost host;
    TBalloonForm form(host);

    // A green strip where the phrase bar would be, so the tail has a target.
    QWidget bar(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    bar.setAttribute(Qt::WA_ShowWithoutActivating);
    QPalette green = bar.palette();
    green.setColor(QPalette::Window, QColor(0, 160, 0));
    bar.setPalette(green);
    bar.setAutoFillBackground(true);

    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const Quarter quarters[] = {
        {"upper-left", false, false},
        {"upper-right", true, false},
        {"lower-left", false, true},
        {"lower-right", true, true},
    };
    for (const Quarter& quarter : quarters) {
        const QPoint centre(screen.x() + screen.width() * (quarter.right ? 3 : 1) / 4,
                            screen.y() + screen.height() * (quarter.lower ? 3 : 1) / 4);
        const QRect anchor(centre - QPoint(76, 10), QSize(153, 20));
        bar.setGeometry(anchor);
        bar.show();

        const BalloonContent content{
            ContentKind::Results,
            ImageId::SeveralHits,
            u"Last 3: HOUSE*"_s,
            {entry(u"house"_s, HeadLanguage::English, u"kuća; dom; zgrada; boravište"_s),
             entry(u"housewife"_s, HeadLanguage::English, u"domaćica"_s),
             entry(u"kuća"_s, HeadLanguage::Serbian, u"house; home"_s)}};
        form.ShowContent(content, anchor, {true, false, true});
        if (!QTest::qWaitForWindowExposed(&form) || !QTest::qWaitForWindowExposed(&bar))
            return 1;
        // Let the window manager map both windows and the balloon paint itself.
        QTest::qWait(300);

        const QRect window = form.geometry();
        std::cout << "shot " << quarter.name << ' ' << form.placement() << ' ' << window.x() << ' '
                  << window.y() << ' ' << window.width() << ' ' << window.height() << std::endl;
        std::string reply;
        if (!std::getline(std::cin, reply))
            return 1;
    }
    return 0;
}
