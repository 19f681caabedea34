#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-2.0-or-later
"""Makes the plain texts of the coverage benchmark from Debian's gnome-user-docs.

Usage: extract-gnome-help.py HELP_FOLDER [--serbian] > TEXT
HELP_FOLDER is a gnome-help folder of the package, e.g.
/usr/share/help/C/gnome-help (English) or /usr/share/help/sr/gnome-help
(Serbian). The running text of every page is kept, without markup, page
metadata, commands or file names. With --serbian only lines in Cyrillic are
kept (the translation leaves untranslated paragraphs in English) and they are
written in Latin script, the script Kvel's dictionary uses.
"""

import html
import pathlib
import re
import sys

CYRILLIC = "абвгдђежзијклљмнњопрстћуфхцчџш"
LATIN = ["a", "b", "v", "g", "d", "đ", "e", "ž", "z", "i", "j", "k", "l", "lj", "m", "n", "nj",
         "o", "p", "r", "s", "t", "ć", "u", "f", "h", "c", "č", "dž", "š"]
TO_LATIN = {}
for cyrillic, latin in zip(CYRILLIC, LATIN):
    TO_LATIN[ord(cyrillic)] = latin
    TO_LATIN[ord(cyrillic.upper())] = latin[0].upper() + latin[1:]


def page_text(page):
    s = page.read_text(encoding="utf-8")
    s = re.sub(r"<!--.*?-->", " ", s, flags=re.S)
    s = re.sub(r"<info>.*?</info>", " ", s, flags=re.S)
    s = re.sub(r"<(code|cmd|screen|input|output|sys|key|keyseq|media|file|link)\b[^>]*/>", " ", s)
    s = re.sub(r"<(code|cmd|screen|input|output|sys|file)\b[^>]*>.*?</\1>", " ", s, flags=re.S)
    s = html.unescape(re.sub(r"<[^>]+>", " ", s))
    return [" ".join(line.split()) for line in s.splitlines() if line.strip()]


def main():
    folder = pathlib.Path(sys.argv[1])
    serbian = "--serbian" in sys.argv[2:]
    pages = []
    for page in sorted(folder.glob("*.page")):
        lines = page_text(page)
        if serbian:
            lines = [l.translate(TO_LATIN) for l in lines if re.search("[\u0400-\u04ff]", l)]
        if lines:
            pages.append("\n".join(lines))
    sys.stdout.write("\n\n".join(pages) + "\n")


if __name__ == "__main__":
    main()
