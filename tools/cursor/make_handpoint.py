#!/usr/bin/env python3
"""Writes HandPoint.cur: the 32 x 32 monochrome hand pointer of the link label.

Usage: make_handpoint.py OUTPUT.cur [PREVIEW.pgm]

The picture is the art below: '#' black, 'o' white, '.' transparent. The hot spot
is the top of the index finger.
"""
import struct
import sys

HOT_SPOT = (7, 1)
ART = """
......###.......................
.....#ooo#......................
.....#ooo#......................
.....#ooo#......................
.....#ooo#......................
.....#ooo#......................
.....#ooo####...................
.....#ooo#ooo####...............
.....#ooo#ooo#ooo###............
.....#ooo#ooo#ooo#oo#...........
.##..#ooo#ooo#ooo#oo#...........
#oo#.#ooooooooooooooo#..........
#ooo##ooooooooooooooo#..........
.#oooooooooooooooooooo#.........
..#ooooooooooooooooooo#.........
...#oooooooooooooooooo#.........
....#oooooooooooooooo#..........
.....#ooooooooooooooo#..........
......#ooooooooooooo#...........
......#ooooooooooooo#...........
......###############...........
......#ooooooooooooo#...........
......###############...........
"""


def rows():
    lines = [line for line in ART.strip().splitlines()]
    lines += ["." * 32] * (32 - len(lines))
    for line in lines:
        assert len(line) == 32, line
    return lines


def masks():
    """XOR and AND masks, 32 rows of 4 bytes each, top row first."""
    xor, and_ = [], []
    for line in rows():
        x = a = 0
        for col, ch in enumerate(line):
            bit = 1 << (31 - col)
            if ch == ".":
                a |= bit  # screen shows through
            elif ch == "o":
                x |= bit  # white
        xor.append(struct.pack(">I", x))
        and_.append(struct.pack(">I", a))
    return xor, and_


def cursor_file():
    xor, and_ = masks()
    # DIB rows are stored bottom-up; the height counts both masks.
    header = struct.pack("<IiiHHIIiiII", 40, 32, 64, 1, 1, 0, 2 * 32 * 4, 0, 0, 2, 0)
    palette = struct.pack("<BBBBBBBB", 0, 0, 0, 0, 255, 255, 255, 0)
    image = header + palette + b"".join(reversed(xor)) + b"".join(reversed(and_))
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", 32, 32, 2, 0, HOT_SPOT[0], HOT_SPOT[1], len(image), 6 + 16)
    return directory + entry + image


def preview():
    """A grey-scale picture for looking at: transparent pixels mid grey."""
    shade = {".": 128, "#": 0, "o": 255}
    body = bytes(shade[ch] for line in rows() for ch in line)
    return b"P5\n32 32\n255\n" + body


def main(argv):
    if len(argv) not in (2, 3):
        sys.exit(__doc__)
    with open(argv[1], "wb") as f:
        f.write(cursor_file())
    if len(argv) == 3:
        with open(argv[2], "wb") as f:
            f.write(preview())


if __name__ == "__main__":
    main(sys.argv)
