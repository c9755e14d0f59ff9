#!/usr/bin/env python3
"""Finds things on a screenshot where no window system says where a window
is (a compositor drawing into a window of its own).

  find_on_screen.py field PNG
      the top left corner of the typing field: the start of the first row
      that holds 601 white pixels in a row; prints "x y", nothing if none.
  find_on_screen.py glyph PNG X Y W H
      the rightmost dark pixel (each channel below 0x60) with light pixels
      four to its left and right, in the rectangle: a stroke of a title
      bar's close button, not the edge of a window; prints "x y", nothing
      if none.
"""
import subprocess
import sys


def read(path):
    ppm = subprocess.run(["convert", path, "-depth", "8", "ppm:-"], check=True, capture_output=True).stdout
    fields, pos = [], 0
    while len(fields) < 4:  # P6, width, height, maximum
        while ppm[pos:pos + 1].isspace():
            pos += 1
        end = pos
        while not ppm[end:end + 1].isspace():
            end += 1
        fields.append(ppm[pos:end])
        pos = end
    width, height = int(fields[1]), int(fields[2])
    return ppm[pos + 1:], width, height


def field(data, width, height):
    white = b"\xff\xff\xff"
    run = white * 601
    for y in range(height):
        row = data[y * width * 3:(y + 1) * width * 3]
        at = row.find(run)
        while at >= 0 and at % 3:
            at = row.find(run, at + 1)
        if at >= 0:
            return at // 3, y
    return None


def glyph(data, width, height, x, y, w, h):
    def rgb(xx, yy):
        return data[(yy * width + xx) * 3:(yy * width + xx) * 3 + 3]

    def dark(xx, yy):
        return max(rgb(xx, yy)) < 0x60

    def light(xx, yy):
        return 0 <= xx < width and min(rgb(xx, yy)) > 0xA0

    for xx in range(min(x + w, width) - 1, max(x, 0) - 1, -1):
        for yy in range(max(y, 0), min(y + h, height)):
            if dark(xx, yy) and light(xx - 4, yy) and light(xx + 4, yy):
                return xx, yy
    return None


def main():
    what, path = sys.argv[1], sys.argv[2]
    data, width, height = read(path)
    found = field(data, width, height) if what == "field" else glyph(data, width, height, *map(int, sys.argv[3:7]))
    if found:
        print(*found)


if __name__ == "__main__":
    main()
