#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-2.0-or-later
"""Writes an Access (Jet 4) dictionary whose TblKvel holds the rows of another
one several times over, for timing the conversion of a large file. Nothing
here can write Access files, so the data pages of the table are copied after
the file's end and its usage map is rewritten as a map of type 1 (a list of
bitmap pages) that names the originals and the copies; memos stored outside
the rows are shared by the copies.

    make_large_jet.py SOURCE.mdb OUT.mdb --copies N
"""
import argparse
import collections
import struct

PAGE = 4096
DATA_PAGE = 0x01
ROW_COUNT = 0x0C  # in a data page; the row offsets follow
NUM_ROWS = 16  # in a table definition
USAGE_MAP = 55  # in a table definition: the row holding the usage map
OFFSET_MASK = 0x1FFF


def int32(buf, at):
    return struct.unpack_from("<I", buf, at)[0]


def row_span(page, row):
    """Start and end of a row in a page, as libmdb finds them."""
    start = struct.unpack_from("<H", page, ROW_COUNT + 2 + 2 * row)[0] & OFFSET_MASK
    end = PAGE if row == 0 else (
        struct.unpack_from("<H", page, ROW_COUNT + 2 * row)[0] & OFFSET_MASK)
    return start, end


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("source")
    parser.add_argument("out")
    parser.add_argument("--copies", type=int, default=5,
                        help="how many times the rows appear in OUT (default 5)")
    args = parser.parse_args()

    data = bytearray(open(args.source, "rb").read())
    pages = [data[i:i + PAGE] for i in range(0, len(data), PAGE)]
    owners = collections.Counter(
        int32(p, 4) for p in pages[1:] if p[0] == DATA_PAGE)
    # The dictionary's table has far more data pages than any other.
    table = owners.most_common(1)[0][0]
    table_pages = [i for i, p in enumerate(pages)
                   if i > 0 and p[0] == DATA_PAGE and int32(p, 4) == table]

    copies = []
    for _ in range(args.copies - 1):
        for i in table_pages:
            copies.append(len(pages) + len(copies))
            data += pages[i]
    bitmap_page = len(data) // PAGE
    bitmap = bytearray(PAGE)
    bitmap[0] = 0x05
    for number in table_pages + copies:
        if number >= (PAGE - 4) * 8:
            raise SystemExit("too many pages for one bitmap page")
        bitmap[4 + number // 8] |= 1 << (number % 8)
    data += bitmap

    struct.pack_into("<I", data, table * PAGE + NUM_ROWS,
                     int32(data, table * PAGE + NUM_ROWS) * args.copies)
    map_pointer = int32(data, table * PAGE + USAGE_MAP)
    map_page, map_row = map_pointer >> 8, map_pointer & 0xFF
    start, end = row_span(data[map_page * PAGE:(map_page + 1) * PAGE], map_row)
    if end - start < 5:
        raise SystemExit("the usage map row is too short to rewrite")
    at = map_page * PAGE + start
    data[at:at + end - start] = bytes(end - start)
    data[at] = 1
    struct.pack_into("<I", data, at + 1, bitmap_page)
    open(args.out, "wb").write(data)


if __name__ == "__main__":
    main()
