// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/drop/TTextDropTarget.h"

#include "support/QtPrinters.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace kvel;
using namespace Qt::StringLiterals;

namespace {

class DropTest : public testing::Test
{
protected:
    void SetUp() override { target.SetDropTarget(&entry); }

    // Sends enter and drop as a drag would; true when the drop was taken.
    bool drop(const QMimeData& data)
    {
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&entry, &enter);
        QDropEvent dropEvent(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&entry, &dropEvent);
        return enter.isAccepted() && dropEvent.isAccepted();
    }

    QLineEdit entry;
    TTextDropTarget target;
};

} // namespace

TEST_F(DropTest, PlainTextArrivesAndTheEntryItselfStaysUntouched)
{
    QSignalSpy drops(&target, &TTextDropTarget::OnDrop);
    QMimeData data;
    data.setText(u"house"_s);
    EXPECT_TRUE(drop(data));
    ASSERT_EQ(drops.count(), 1);
    EXPECT_EQ(drops[0][3].toString(), u"house"_s);
    EXPECT_EQ(drops[0][0].value<QWidget*>(), &entry);
    EXPECT_EQ(entry.text(), u""_s) << "the bar decides what the entry shows";
}

TEST_F(DropTest, FilesAndPicturesAreRefused)
{
    QSignalSpy enters(&target, &TTextDropTarget::OnDragEnter);
    QSignalSpy drops(&target, &TTextDropTarget::OnDrop);
    QMimeData files;
    files.setUrls({QUrl(u"file:///tmp/a.txt"_s)});
    EXPECT_FALSE(drop(files));
    QMimeData picture;
    picture.setImageData(QImage(2, 2, QImage::Format_RGB32));
    EXPECT_FALSE(drop(picture));
    EXPECT_EQ(enters.count(), 0);
    EXPECT_EQ(drops.count(), 0);
}

TEST_F(DropTest, TextEndsAtItsFirstNul)
{
    QSignalSpy drops(&target, &TTextDropTarget::OnDrop);
    QMimeData data;
    data.setText(QString::fromUtf16(u"kuća\0garbage", 12));
    EXPECT_TRUE(drop(data));
    ASSERT_EQ(drops.count(), 1);
    EXPECT_EQ(drops[0][3].toString(), u"kuća"_s);
}

TEST_F(DropTest, AnotherTargetReleasesTheFirst)
{
    QLineEdit second;
    target.SetDropTarget(&second);
    EXPECT_TRUE(second.acceptDrops());
    QSignalSpy drops(&target, &TTextDropTarget::OnDrop);
    QMimeData data;
    data.setText(u"cat"_s);
    drop(data); // goes to the first entry, which is no target any more
    EXPECT_EQ(drops.count(), 0);
}
