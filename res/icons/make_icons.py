#!/usr/bin/env python3
"""Builds Korvane's icons from their pixel maps.

Each *.txt beside this script describes one icon: a palette of one-character
symbols and a square map of those symbols, one text row per pixel row. The
script writes the Windows icon file it names (one image, 4 or 8 bits per
pixel, with its transparency mask) and, where asked, PNG images of the icon
in the sizes of the freedesktop hicolor theme under hicolor/NxN/apps/.

    make_icons.py            write the files beside this script
    make_icons.py --out DIR  write them under DIR instead
    make_icons.py --check    compare with the files on disk, write nothing

Output is deterministic: the same maps give the same bytes.
"""

import argparse
import pathlib
import struct
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

    def rgba(self):
        """Pixels as rows of (r, g, b, a), top row first."""
        out = []
        for row in self.rows:
            line = []
            for symbol in row:
                rgb = self.palette[symbol]
                line.append((0, 0, 0, 0) if rgb is None else rgb + (255,))
            out.append(line)
        return out


def ico_bytes(src):
    """One-image .ico: BITMAPINFOHEADER, palette, XOR bits and AND mask.

    Palette index 0 is black and serves every transparent pixel (its mask
    bit is set), so the icon draws correctly with or without the mask.
    The opaque colours follow in the order the map declares them.
    """
    size, bits = src.size, src.bits
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

    def padded(row_bytes):
        return row_bytes + b"\0" * (-len(row_bytes) % 4)

    xor = bytearray()
    mask = bytearray()
    for row in reversed(src.rows):  # bottom-up
        if bits == 8:
            line = bytes(index[s] for s in row)
        else:
            values = [index[s] for s in row] + [0] * (size % 2)
            line = bytes((values[i] << 4) | values[i + 1] for i in range(0, len(values), 2))
        xor += padded(line)
        mask_bits = bytearray((size + 7) // 8)
        for x, symbol in enumerate(row):
            if src.palette[symbol] is None:
                mask_bits[x // 8] |= 0x80 >> (x % 8)
        mask += padded(bytes(mask_bits))

    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, bits, 0,
                         len(xor) + len(mask), 0, 0, 0, 0)
    palette = b"".join(bytes((b, g, r, 0)) for (r, g, b) in colours)
    image = header + palette + bytes(xor) + bytes(mask)
    colour_count = 0 if bits == 8 else (1 << bits)
    entry = struct.pack("<BBBBHHII", size % 256, size % 256, colour_count, 0, 1, bits,
                        len(image), 6 + 16)
    return struct.pack("<HHH", 0, 1, 1) + entry + image


def scale(pixels, size):
    """Area-average resampling with premultiplied alpha, in exact integers.

    Whole-number enlargements give plain pixel replication; reductions and
    fractional steps blend the covered source pixels by their covered area.
    """
    src = len(pixels)
    # Output pixel i covers [i*src, (i+1)*src) and source pixel j covers
    # [j*size, (j+1)*size) in units of 1/(src*size) of the image width.
    spans = []
    for i in range(size):
        lo, hi = i * src, (i + 1) * src
        spans.append([(j, min(hi, (j + 1) * size) - max(lo, j * size))
                      for j in range(lo // size, (hi - 1) // size + 1)])
    total = src * src
    out = []
    for oy in range(size):
        line = []
        for ox in range(size):
            acc = [0, 0, 0, 0]
            for sy, wy in spans[oy]:
                for sx, wx in spans[ox]:
                    r, g, b, a = pixels[sy][sx]
                    w = wx * wy * a
                    acc[0] += w * r
                    acc[1] += w * g
                    acc[2] += w * b
                    acc[3] += w
            if acc[3] == 0:
                line.append((0, 0, 0, 0))
                continue
            alpha = (2 * acc[3] + total) // (2 * total)
            colour = tuple((2 * c + acc[3]) // (2 * acc[3]) for c in acc[:3])
            line.append(colour + (alpha,) if alpha else (0, 0, 0, 0))
        out.append(line)
    return out


def png_bytes(pixels):
    size = len(pixels)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    raw = b"".join(b"\0" + bytes(c for px in row for c in px) for row in pixels)
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def build(sources):
    """Maps each output path (relative to the icon folder) to its bytes."""
    files = {}
    for src in sources:
        files[src.output] = ico_bytes(src)
        if src.png_name:
            pixels = src.rgba()
            for size in src.png_sizes:
                path = f"hicolor/{size}x{size}/apps/{src.png_name}.png"
                files[path] = png_bytes(scale(pixels, size))
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
