#!/usr/bin/python3
# SPDX-License-Identifier: GPL-2.0-or-later
"""Saves what GNOME Shell shows, Wayland and XWayland windows alike, as a PNG.

GNOME Shell takes screenshots only for a few programs of its own, which it
knows by the bus names they own; owning the screenshot tool's name is how
a test session is let in.

Usage: gnome-screenshot.py OUTPUT.png
"""
import sys

import dbus


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: gnome-screenshot.py OUTPUT.png")
    bus = dbus.SessionBus()
    if bus.request_name("org.gnome.Screenshot") != dbus.bus.REQUEST_NAME_REPLY_PRIMARY_OWNER:
        sys.exit("the bus name org.gnome.Screenshot is taken")
    shell = bus.get_object("org.gnome.Shell.Screenshot", "/org/gnome/Shell/Screenshot")
    done, _ = shell.Screenshot(False, False, sys.argv[1],
                               dbus_interface="org.gnome.Shell.Screenshot", timeout=20)
    if not done:
        sys.exit("GNOME Shell took no screenshot")


if __name__ == "__main__":
    main()
