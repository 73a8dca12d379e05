#!/usr/bin/env python3
"""Draws the button pictures as 24-bit BMP files into src/app/pictures.

Each picture lies on a transparent background: the colour of its bottom-left pixel
(magenta here), which the buttons leave undrawn. Shapes are filled with their colour
and get a black outline on the pixels around them.

    python3 tools/pictures/make_pictures.py
"""
import math
import os
import struct

KEY = (255, 0, 255)  # transparent background
BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
YELLOW = (255, 255, 0)
RED = (224, 0, 0)
GREY = (192, 192, 192)
DARK_GREY = (128, 128, 128)


def blank(w, h):
    return [[KEY] * w for _ in range(h)]


def outline(img, shape, colour=BLACK):
    """Colours the pixels next to the shape (8 neighbours) that are not part of it."""
    h, w = len(img), len(img[0])
    for y in range(h):
        for x in range(w):
            if (x, y) in shape:
                continue
            if any((x + dx, y + dy) in shape for dx in (-1, 0, 1) for dy in (-1, 0, 1)):
                img[y][x] = colour


def fill(img, shape, colour):
    for x, y in shape:
        img[y][x] = colour


def rect(x0, y0, x1, y1):
    return {(x, y) for x in range(x0, x1 + 1) for y in range(y0, y1 + 1)}


def plus_sign(colour):
    img = blank(14, 14)
    shape = rect(1, 5, 12, 8) | rect(5, 1, 8, 12)
    fill(img, shape, colour)
    outline(img, shape)
    return img


def minus_sign(colour):
    img = blank(14, 14)
    shape = rect(1, 5, 12, 8)
    fill(img, shape, colour)
    outline(img, shape)
    return img


def page():
    """A blank white page with its top-right corner folded down."""
    img = blank(16, 15)
    left, right, top, bottom, fold = 2, 13, 0, 14, 4
    body = {(x, y) for x, y in rect(left, top, right, bottom) if not (x - (right - fold) > y - top)}
    fill(img, body, WHITE)
    for x, y in body:  # the page's edge
        if x in (left, right) or y in (top, bottom) or x - (right - fold) == y - top:
            img[y][x] = BLACK
    # The folded flap: a grey triangle under the diagonal, edged in black.
    for y in range(top, top + fold + 1):
        for x in range(right - fold, right + 1):
            if x - (right - fold) <= y - top:
                img[y][x] = GREY
    for i in range(fold + 1):
        img[top + fold][right - fold + i] = BLACK
        img[top + i][right - fold] = BLACK
        img[top + i][right - fold + i] = BLACK
    return img


def circular_arrow(ring, mark):
    """A ring arrow around a round mark: open at the upper right, where its head
    points on clockwise."""
    img = blank(16, 16)
    cx = cy = 7.5
    head_angle = 60  # degrees, counter-clockwise from the right, y up
    shape = set()
    for y in range(16):
        for x in range(16):
            r = math.hypot(x - cx, cy - y)
            a = math.degrees(math.atan2(cy - y, x - cx)) % 360
            if 4.2 <= r <= 6.2 and head_angle <= a <= 350:
                shape.add((x, y))
    # The head: a triangle across the ring's end, its tip one step on along the ring.
    t = math.radians(head_angle)
    px, py = cx + 5.0 * math.cos(t), cy - 5.0 * math.sin(t)
    radial = (math.cos(t), -math.sin(t))
    tangent = (math.sin(t), math.cos(t))  # clockwise, screen coordinates
    a_pt = (px + 3.6 * radial[0], py + 3.6 * radial[1])
    b_pt = (px - 3.6 * radial[0], py - 3.6 * radial[1])
    tip = (px + 4.0 * tangent[0], py + 3.6 * tangent[1])

    def inside(qx, qy):
        pts = (a_pt, b_pt, tip)
        sign = []
        for i in range(3):
            (x1, y1), (x2, y2) = pts[i], pts[(i + 1) % 3]
            sign.append((x2 - x1) * (qy - y1) - (y2 - y1) * (qx - x1) >= 0)
        return all(sign) or not any(sign)

    for y in range(16):
        for x in range(16):
            if inside(x, y):
                shape.add((x, y))
    shape = {(x, y) for x, y in shape if 1 <= x <= 14 and 1 <= y <= 14}
    fill(img, shape, ring)
    outline(img, shape, mark)
    dot = {(x, y) for y in range(16) for x in range(16) if math.hypot(x - cx, y - cy) <= 1.5}
    fill(img, dot, mark)
    return img


QUESTION = [
    "................",
    ".....######.....",
    "....########....",
    "...###....###...",
    "...###....###...",
    "..........###...",
    ".........###....",
    "........###.....",
    ".......###......",
    ".......###......",
    ".......###......",
    "................",
    ".......###......",
    ".......###......",
    ".......###......",
    "................",
]


def question_mark():
    img = blank(16, 16)
    shape = {(x, y) for y, row in enumerate(QUESTION) for x, c in enumerate(row) if c == "#"}
    fill(img, shape, YELLOW)
    outline(img, shape)
    return img


def write_bmp(path, img):
    h, w = len(img), len(img[0])
    stride = (w * 3 + 3) & ~3
    data = bytearray()
    for row in reversed(img):  # bottom-up rows
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += b"\0" * (stride - len(line))
        data += line
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(data), 0, 0, 14 + 40)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + data)


def main():
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "src", "app", "pictures")
    pictures = {
        "AddSet.bmp": plus_sign(YELLOW),
        "DelSet.bmp": minus_sign(YELLOW),
        "AddItem.bmp": plus_sign(WHITE),
        "DelItem.bmp": minus_sign(WHITE),
        "ClearList.bmp": page(),
        "ClearEntries.bmp": circular_arrow(RED, BLACK),
        "ClearEntriesGrey.bmp": circular_arrow(GREY, DARK_GREY),
        "Help.bmp": question_mark(),
    }
    for name, img in pictures.items():
        write_bmp(os.path.join(out, name), img)


if __name__ == "__main__":
    main()
