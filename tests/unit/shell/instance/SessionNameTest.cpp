// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/instance/SessionName.h"

#include "support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace kvel;
using namespace Qt::StringLiterals;

namespace {

struct DisplayCase
{
    QString x11;
    QString wayland;
    QString expected;
};

const QString kLongHost = QString(200, u'h');

} // namespace

TEST(SessionName, OneNamePerServerAndOnlyPlainCharactersInIt)
{
    const DisplayCase cases[] = {
        // Every spelling of one local X server gives one name.
        {u":81"_s, {}, u"notkvel-_81"_s},
        {u":81.0"_s, {}, u"notkvel-_81"_s},
        {u":81.1"_s, {}, u"notkvel-_81"_s},
        {u"unix:81"_s, {}, u"notkvel-_81"_s},
        {u"unix:81.0"_s, {}, u"notkvel-_81"_s},
        // Another host or another display is another server.
        {u"host:81.1"_s, {}, u"notkvel-host_81"_s},
        {u"localhost:10.0"_s, {}, u"notkvel-localhost_10"_s},
        {u":8"_s, {}, u"notkvel-_8"_s},
        {u"::1:81.0"_s, {}, u"notkvel-__1_81"_s},
        // The X display wins; Wayland names have no screen to drop.
        {u":0"_s, u"wayland-0"_s, u"notkvel-_0"_s},
        {{}, u"wayland-0"_s, u"notkvel-wayland-0"_s},
        {{}, u"wayland-1.5"_s, u"notkvel-wayland-1.5"_s},
        {{}, u"/run/user/1000/wayland-0"_s, u"notkvel-_run_user_1000_wayland-0"_s},
        {{}, {}, u"notkvel-nodisplay"_s},
        // Nothing in a display name reaches outside the runtime folder.
        {u"host/../x:3"_s, {}, u"notkvel-host_.._x_3"_s},
        {u"../../etc:1"_s, {}, u"notkvel-.._.._etc_1"_s},
        {u"h\u00f6st\nx:2 ;$(id)"_s, {}, u"notkvel-h_st_x_2____id_"_s},
    };
    for (const DisplayCase& c : cases)
        EXPECT_EQ(sessionName(c.x11, c.wayland), c.expected)
            << c.x11.toStdString() << " / " << c.wayland.toStdString();
}

TEST(SessionName, ALongDisplayNameIsCutWithAHashThatKeepsTwoNamesApart)
{
    const QString first = sessionName(kLongHost + u":1"_s, {});
    const QString second = sessionName(kLongHost + u":2"_s, {});
    EXPECT_NE(first, second);
    EXPECT_EQ(first, sessionName(kLongHost + u":1.0"_s, {}));
    for (const QString& name : {first, second}) {
        EXPECT_LE(name.size(), 56) << name.toStdString();
        EXPECT_TRUE(name.startsWith(u"notkvel-hhhh"_s)) << name.toStdString();
    }
}
