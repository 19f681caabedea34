#!/usr/bin/python3
# SPDX-License-Identifier: GPL-2.0-or-later
"""Saves what KWin shows, Wayland and XWayland windows alike, as a PNG file.

KWin's ScreenShot2 interface writes the raw image into a pipe and answers
with its size and format; ImageMagick turns it into a PNG. KWin must run
with KWIN_SCREENSHOT_NO_PERMISSION_CHECKS=1, as only Plasma's own tools are
allowed otherwise.

Usage: kwin-screenshot.py OUTPUT.png
"""
import os
import subprocess
import sys
import threading

import dbus

# QImage formats KWin sends, as ImageMagick names their bytes (little endian).
FORMATS = {4: "bgra", 5: "bgra", 6: "bgra"}  # RGB32, ARGB32, ARGB32_Premultiplied


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: kwin-screenshot.py OUTPUT.png")
    read_end, write_end = os.pipe()
    chunks = []
    reader = threading.Thread(target=lambda: chunks.extend(iter(lambda: os.read(read_end, 1 << 20), b"")))
    reader.start()
    shots = dbus.SessionBus().get_object("org.kde.KWin.ScreenShot2", "/org/kde/KWin/ScreenShot2")
    try:
        results = shots.CaptureWorkspace({}, dbus.types.UnixFd(write_end),
                                         dbus_interface="org.kde.KWin.ScreenShot2", timeout=20)
    finally:
        os.close(write_end)
    reader.join(20)
    os.close(read_end)
    width, height, stride = int(results["width"]), int(results["height"]), int(results["stride"])
    image_format = FORMATS.get(int(results["format"]))
    data = b"".join(chunks)
    if image_format is None or stride < width * 4 or len(data) < stride * height:
        sys.exit(f"unexpected screenshot: {dict(results)}, {len(data)} bytes")
    rows = b"".join(data[row * stride:row * stride + width * 4] for row in range(height))
    subprocess.run(["convert", "-size", f"{width}x{height}", "-depth", "8", f"{image_format}:-",
                    "-alpha", "off", sys.argv[1]], input=rows, check=True)


if __name__ == "__main__":
    main()
