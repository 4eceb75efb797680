#!/usr/bin/env python3
"""Builds Korvane's icons from their pixel maps.

Each *.txt beside this script describes one icon: a palette of one-character
symbols and a square map of those symbols, one text row per pixel row, for
the icon's classic image (4 or 8 bits per pixel with its transparency mask).
The icon's other sizes are drawn for their size, never scaled from the map:

    draw triangle up|down SIZES...   the map's sharp triangle, in proportion
    draw FILE.svg SIZES...           the SVG master rendered by rsvg-convert

The script writes the Windows icon file the map names, holding every size
(sizes under 256 as bitmaps with their mask, 256 as PNG), and, where asked,
PNG images of the icon in the sizes of the freedesktop hicolor theme under
hicolor/NxN/apps/, each the icon's own image of that size or else rendered
from its SVG master.

    make_icons.py            write the files beside this script
    make_icons.py --out DIR  write them under DIR instead
    make_icons.py --check    compare with the files on disk, write nothing

Output is deterministic: the same maps give the same bytes.
"""

import argparse
import pathlib
import shutil
import struct
import subprocess
import sys
import zlib

HERE = pathlib.Path(__file__).resolve().parent


class IconSource:
    def __init__(self, path):
        self.path = path
        self.output = None
        self.bits = None
        self.png_name = None
        self.png_sizes = []
        self.draw = None  # ("triangle", "up"|"down") or ("svg", file name)
        self.draw_sizes = []
        self.palette = {}  # symbol -> (r, g, b) or None for transparent
        self.symbols = []  # palette symbols in declaration order
        self.rows = []
        self._parse(path.read_text(encoding="utf-8").splitlines())

    def _fail(self, line_no, message):
        raise SystemExit(f"{self.path.name}:{line_no}: {message}")

    def _parse(self, lines):
        in_pixels = False
        for line_no, line in enumerate(lines, 1):
            if in_pixels:
                if line.strip():
                    self.rows.append(line.rstrip())
                continue
            text = line.strip()
            if not text or text.startswith("#"):
                continue
            words = text.split()
            key, args = words[0], words[1:]
            if key == "output" and len(args) == 1:
                self.output = args[0]
            elif key == "bits" and args in (["4"], ["8"]):
                self.bits = int(args[0])
            elif key == "png" and len(args) >= 2:
                self.png_name = args[0]
                self.png_sizes = [int(s) for s in args[1:]]
            elif key == "draw" and len(args) >= 3 and args[0] == "triangle":
                if args[1] not in ("up", "down"):
                    self._fail(line_no, f"triangle points up or down, not {args[1]!r}")
                self.draw = ("triangle", args[1])
                self.draw_sizes = [int(s) for s in args[2:]]
            elif key == "draw" and len(args) >= 2 and args[0].endswith(".svg"):
                self.draw = ("svg", args[0])
                self.draw_sizes = [int(s) for s in args[1:]]
            elif key == "colour" and len(args) == 2 and len(args[0]) == 1:
                symbol, value = args
                if symbol in self.palette:
                    self._fail(line_no, f"symbol {symbol!r} defined twice")
                if value == "transparent":
                    self.palette[symbol] = None
                else:
                    try:
                        rgb = bytes.fromhex(value)
                    except ValueError:
                        rgb = b""
                    if len(rgb) != 3:
                        self._fail(line_no, f"bad colour {value!r}")
                    self.palette[symbol] = tuple(rgb)
                self.symbols.append(symbol)
            elif key == "pixels" and not args:
                in_pixels = True
            else:
                self._fail(line_no, f"cannot read {text!r}")
        if self.output is None or self.bits is None:
            raise SystemExit(f"{self.path.name}: needs 'output' and 'bits'")
        size = len(self.rows)
        if size == 0 or size > 256 or any(len(r) != size for r in self.rows):
            raise SystemExit(f"{self.path.name}: the pixel map must be square, at most 256")
        for y, row in enumerate(self.rows):
            for x, symbol in enumerate(row):
                if symbol not in self.palette:
                    raise SystemExit(f"{self.path.name}: unknown symbol {symbol!r} at {x},{y}")
        opaque = [s for s in self.symbols if self.palette[s] is not None]
        if len(opaque) + 1 > (1 << self.bits):
            raise SystemExit(f"{self.path.name}: too many colours for {self.bits} bits")

    @property
    def size(self):
        return len(self.rows)

    def rgba(self, rows=None):
        """Pixels of a symbol map (the icon's own by default) as rows of
        (r, g, b, a), top row first."""
        out = []
        for row in self.rows if rows is None else rows:
            line = []
            for symbol in row:
                rgb = self.palette[symbol]
                line.append((0, 0, 0, 0) if rgb is None else rgb + (255,))
            out.append(line)
        return out


def triangle_rows(src, direction, size):
    """The map's triangle drawn for another size, as a symbol map.

    At 32 pixels the triangle is 9 wide and 5 high with its tip at column
    15, from row 4. Other sizes keep those proportions with the width
    rounded to an odd number, so the steps stay one pixel each side and
    the edges stay sharp: rows 1, 3, 5... pixels wide.
    """
    blank = next(s for s in src.symbols if src.palette[s] is None)
    ink = next(s for s in src.symbols if src.palette[s] is not None)
    width = 2 * (9 * size // 64) + 1
    height = (width + 1) // 2
    top = (4 * size + 16) // 32
    tip = 31 * size // 64
    rows = [blank * size for _ in range(size)]
    for step in range(height):
        half = step if direction == "up" else height - 1 - step
        line = blank * (tip - half) + ink * (2 * half + 1)
        rows[top + step] = line + blank * (size - len(line))
    return rows


def read_png(data):
    """Pixels of an 8-bit RGBA, non-interlaced PNG (what rsvg-convert writes)."""
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise SystemExit("rsvg-convert did not write a PNG")
    pos, idat = 8, b""
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
            if (depth, colour, interlace) != (8, 6, 0):
                raise SystemExit("rsvg-convert wrote a PNG other than 8-bit RGBA")
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    raw = zlib.decompress(idat)
    stride = 4 * width
    rows, prior = [], bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            left = line[i - 4] if i >= 4 else 0
            up = prior[i]
            corner = prior[i - 4] if i >= 4 else 0
            if kind == 1:
                line[i] = (line[i] + left) & 255
            elif kind == 2:
                line[i] = (line[i] + up) & 255
            elif kind == 3:
                line[i] = (line[i] + (left + up) // 2) & 255
            elif kind == 4:
                p = left + up - corner
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - corner)
                pred = left if pa <= pb and pa <= pc else up if pb <= pc else corner
                line[i] = (line[i] + pred) & 255
        rows.append([tuple(line[x:x + 4]) for x in range(0, stride, 4)])
        prior = line
    return rows


def render_svg(path, size):
    tool = shutil.which("rsvg-convert")
    if tool is None:
        raise SystemExit("rsvg-convert is missing (Debian: librsvg2-bin; scripts/deps installs it)")
    data = subprocess.run([tool, "-w", str(size), "-h", str(size), str(path)],
                          check=True, capture_output=True).stdout
    return read_png(data)


def padded(row_bytes):
    return row_bytes + b"\0" * (-len(row_bytes) % 4)


def mask_rows(size, transparent):
    """The AND mask, bottom row first: a set bit where transparent(x, y)."""
    mask = bytearray()
    for y in reversed(range(size)):
        bits = bytearray((size + 7) // 8)
        for x in range(size):
            if transparent(x, y):
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += padded(bytes(bits))
    return mask


def indexed_image(src, rows):
    """BITMAPINFOHEADER, palette, XOR bits and AND mask of a symbol map.

    Palette index 0 is black and serves every transparent pixel (its mask
    bit is set), so the icon draws correctly with or without the mask.
    The opaque colours follow in the order the map declares them.
    """
    size, bits = len(rows), src.bits
    colours = [(0, 0, 0)]
    index = {}
    for symbol in src.symbols:
        rgb = src.palette[symbol]
        if rgb is None:
            index[symbol] = 0
        else:
            index[symbol] = len(colours)
            colours.append(rgb)
    colours += [(0, 0, 0)] * ((1 << bits) - len(colours))

    xor = bytearray()
    for row in reversed(rows):  # bottom-up
        if bits == 8:
            line = bytes(index[s] for s in row)
        else:
            values = [index[s] for s in row] + [0] * (size % 2)
            line = bytes((values[i] << 4) | values[i + 1] for i in range(0, len(values), 2))
        xor += padded(line)
    mask = mask_rows(size, lambda x, y: src.palette[rows[y][x]] is None)

    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, bits, 0,
                         len(xor) + len(mask), 0, 0, 0, 0)
    palette = b"".join(bytes((b, g, r, 0)) for (r, g, b) in colours)
    colour_count = 0 if bits == 8 else (1 << bits)
    return size, colour_count, bits, header + palette + bytes(xor) + bytes(mask)


def true_colour_image(pixels):
    """A 32-bit BGRA bitmap with its AND mask (set where fully transparent)."""
    size = len(pixels)
    xor = b"".join(bytes((b, g, r, a)) for row in reversed(pixels) for (r, g, b, a) in row)
    mask = mask_rows(size, lambda x, y: pixels[y][x][3] == 0)
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0,
                         len(xor) + len(mask), 0, 0, 0, 0)
    return size, 0, 32, header + xor + bytes(mask)


def png_image(pixels):
    return len(pixels), 0, 32, png_bytes(pixels)


def ico_bytes(images):
    """An .ico holding the images, each (size, colour count, bits, bytes)."""
    images = sorted(images)
    directory = b""
    offset = 6 + 16 * len(images)
    for size, colour_count, bits, image in images:
        directory += struct.pack("<BBBBHHII", size % 256, size % 256, colour_count, 0, 1,
                                 bits, len(image), offset)
        offset += len(image)
    return (struct.pack("<HHH", 0, 1, len(images)) + directory
            + b"".join(image for *_, image in images))


def png_bytes(pixels):
    size = len(pixels)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    raw = b"".join(b"\0" + bytes(c for px in row for c in px) for row in pixels)
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def drawn_pixels(src, size):
    """The icon drawn for size: a symbol map for a triangle, else pixels."""
    kind, what = src.draw
    if kind == "triangle":
        return triangle_rows(src, what, size)
    return render_svg(src.path.parent / what, size)


def build(sources):
    """Maps each output path (relative to the icon folder) to its bytes."""
    files = {}
    for src in sources:
        images = [indexed_image(src, src.rows)]
        pixels = {src.size: src.rgba()}
        if src.draw and src.draw[0] == "triangle" and triangle_rows(src, src.draw[1], src.size) != src.rows:
            raise SystemExit(f"{src.path.name}: the triangle rule does not draw the pixel map")
        for size in src.draw_sizes:
            drawn = drawn_pixels(src, size)
            if src.draw[0] == "triangle":
                pixels[size] = src.rgba(drawn)
                images.append(png_image(pixels[size]) if size == 256
                              else indexed_image(src, drawn))
            else:
                pixels[size] = drawn
                images.append(png_image(drawn) if size == 256 else true_colour_image(drawn))
        files[src.output] = ico_bytes(images)
        for size in src.png_sizes:
            if size not in pixels:
                pixels[size] = drawn_pixels(src, size)
            path = f"hicolor/{size}x{size}/apps/{src.png_name}.png"
            files[path] = png_bytes(pixels[size])
    return files


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", type=pathlib.Path, default=HERE,
                        help="folder to write into (default: beside this script)")
    parser.add_argument("--check", action="store_true",
                        help="compare with the files beside this script; write nothing")
    args = parser.parse_args()

    sources = [IconSource(p) for p in sorted(HERE.glob("*.txt"))]
    files = build(sources)

    if args.check:
        stale = [name for name, data in sorted(files.items())
                 if not (HERE / name).is_file() or (HERE / name).read_bytes() != data]
        for name in stale:
            print(f"out of date: res/icons/{name}", file=sys.stderr)
        if stale:
            print("run res/icons/make_icons.py and commit the result", file=sys.stderr)
            return 1
        print(f"{len(files)} icon files match their pixel maps")
        return 0

    for name, data in sorted(files.items()):
        target = args.out / name
        target.parent.mkdir(parents=True, exist_ok=True)
        target.write_bytes(data)
    return 0


if __name__ == "__main__":
    sys.exit(main())
