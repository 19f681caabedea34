#!/usr/bin/python3
# SPDX-License-Identifier: GPL-2.0-or-later
"""A keyboard for a headless GNOME Shell, through Mutter's remote-desktop
interface. Each line read from the file CHORDS (a named pipe the test
writes to) is a chord of evdev key codes, pressed in order and released in
reverse order. "done" is written to standard output once the session runs
and after each chord.

Usage: gnome-keyboard.py CHORDS   (a line "56 88" is Alt+F12)
"""
import sys

import dbus

SERVICE = "org.gnome.Mutter.RemoteDesktop"


def key_codes(line):
    words = line.split()
    if not 1 <= len(words) <= 8 or not all(word.isdigit() and 0 < int(word) < 768 for word in words):
        return None
    return [int(word) for word in words]


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: gnome-keyboard.py CHORDS")
    bus = dbus.SessionBus()
    desktop = bus.get_object(SERVICE, "/org/gnome/Mutter/RemoteDesktop")
    path = desktop.CreateSession(dbus_interface=SERVICE, timeout=10)
    session = dbus.Interface(bus.get_object(SERVICE, path), SERVICE + ".Session")
    session.Start(timeout=10)
    print("done", flush=True)
    try:
        with open(sys.argv[1], encoding="ascii", errors="replace") as chords:
            run_chords(session, chords)
    finally:
        session.Stop(timeout=10)


def run_chords(session, chords):
    for line in chords:
        codes = key_codes(line)
        if codes is None:
            print(f"not a chord of key codes: {line.strip()!r}", file=sys.stderr, flush=True)
            continue
        for code in codes:
            session.NotifyKeyboardKeycode(dbus.UInt32(code), True, timeout=10)
        for code in reversed(codes):
            session.NotifyKeyboardKeycode(dbus.UInt32(code), False, timeout=10)
        print("done", flush=True)


if __name__ == "__main__":
    main()
