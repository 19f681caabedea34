#!/usr/bin/python3
# SPDX-License-Identifier: GPL-2.0-or-later
"""A plain Wayland-native window (GTK on its Wayland backend only) that the
tests give the keyboard focus to, as a user's Wayland program would have it.

It writes "active" or "inactive" to standard output whenever it gains or
loses the keyboard focus.

Usage: wayland-window.py TITLE [TEXT]   (TEXT fills its entry, selected
when the window gets the focus, ready to be copied with Ctrl+C)
"""
import sys

import gi

gi.require_version("Gdk", "3.0")
gi.require_version("Gtk", "3.0")
from gi.repository import Gdk, Gtk  # noqa: E402

Gdk.set_allowed_backends("wayland")
if not Gtk.init_check(sys.argv)[0]:
    sys.exit("no Wayland display for GTK")
window = Gtk.Window(title=sys.argv[1] if len(sys.argv) > 1 else "wayland window")
window.set_default_size(400, 300)
window.move(300, 200)
entry = Gtk.Entry()
entry.set_text(sys.argv[2] if len(sys.argv) > 2 else "")
window.add(entry)
window.connect("notify::is-active", lambda w, _: print("active" if w.is_active() else "inactive", flush=True))
window.connect("destroy", Gtk.main_quit)
window.show_all()
window.present()
Gtk.main()
