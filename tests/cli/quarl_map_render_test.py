"""quarl-map render: the PNG read back with Python's zlib, against a tile sheet and anims.dat written with struct."""
import os
import pathlib
import struct
import subprocess
import sys
import unittest
import zlib

sys.path.insert(0, os.path.dirname(__file__))
from quarl_map_test import QUARL_MAP, MapCase, cell_word, make_map  # noqa: E402


def sheet_pixel(tile, x, y):
    return (tile * 7 + x + 16 * y) % 240 + 16  # entries 0..15 unused


def sheet_bytes(palette, bits=8):
    width, height = 640, 20 * 16
    pixels = b"".join(bytes(sheet_pixel((y // 16) * 40 + x // 16, x % 16, y % 16)
                            for x in range(width) for _ in range(bits // 8)) for y in range(height - 1, -1, -1))
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    offset = 14 + 40 + len(table)
    return (struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset) +
            struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, len(pixels), 0, 0, 256, 0) + table + pixels)


def read_png(path):
    """(width, height, colour type, palette, rows); unfiltered as the PNG rules say."""
    data = pathlib.Path(path).read_bytes()
    assert data[:8] == b"\x89PNG\r\n\x1a\n"
    pos, chunks = 8, {b"PLTE": b"", b"IDAT": b""}
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        chunks[kind] = chunks.get(kind, b"") + data[pos + 8:pos + 8 + length]
        pos += 12 + length
    width, height, _, colour = struct.unpack(">IIBB", chunks[b"IHDR"][:10])
    palette = [tuple(chunks[b"PLTE"][i:i + 3]) for i in range(0, len(chunks[b"PLTE"]), 3)]
    raw, bpp = zlib.decompress(chunks[b"IDAT"]), 1 if colour == 3 else 3
    stride, rows, prev = width * bpp, [], bytearray(width * bpp)
    for y in range(height):
        kind, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride if kind else 0):
            a, b, c = line[i - bpp] if i >= bpp else 0, prev[i], prev[i - bpp] if i >= bpp else 0
            p = a + b - c
            pred = [0, a, b, (a + b) // 2,
                    a if abs(p - a) <= min(abs(p - b), abs(p - c)) else b if abs(p - b) <= abs(p - c) else c][kind]
            line[i] = (line[i] + pred) & 255
        rows.append(bytes(line))
        prev = line
    return width, height, colour, palette, rows


class RenderTest(MapCase):
    def setUp(self):
        super().setUp()
        os.mkdir(self.path("game"))
        self.palette = [(i, 255 - i, (i * 5) % 256) for i in range(256)]
        self.palette[0], self.palette[15] = (0, 0, 0), (255, 255, 255)
        self.sheet = self.write("game/tiles.bmp", sheet_bytes(self.palette))
        self.write("game/anims.dat", struct.pack("<BB32H", 2, 0, 5, 6, *([0] * 30))  # 0: tiles 5, 6
                   + struct.pack("<BB32H", 0, 0, *([0] * 32)))  # 1: no frames
        self.map = self.write("a.map", make_map({4 * 256 + 3: cell_word(tile=77), 10: cell_word(anim=0, data=3),
                                                 256: cell_word(anim=9, data=0), 257: cell_word(anim=1, data=0),
                                                 65535: cell_word(anim=200, data=0)}))
        self.out = self.path("out.png")

    def render(self, *extra, check=0):
        result = subprocess.run([QUARL_MAP, "render", self.map, self.out, "--game", self.path("game"), *extra],
                                capture_output=True)
        self.assertEqual(result.returncode, check, result.stderr.decode())
        return result

    def test_map_and_overview(self):
        self.render()
        width, height, colour, palette, rows = read_png(self.out)
        self.assertEqual((width, height, colour), (4096, 4096, 3))
        at = lambda x, y: palette[rows[y][x]]
        sheet = lambda tile, x, y: self.palette[sheet_pixel(tile, x, y)]
        self.assertEqual(at(3 * 16 + 5, 4 * 16 + 9), sheet(77, 5, 9))
        self.assertEqual(at(100 * 16 + 15, 200 * 16), sheet(280, 15, 0))
        self.assertEqual(at(10 * 16 + 2, 3), sheet(6, 2, 3))  # data 3 of two frames: frame 1
        # Unknown ids and animations without frames: white with a black label;
        # the square's 17th row and column lie under the next cells.
        for cx, cy in ((0, 1), (1, 1), (255, 255)):
            square = {at(cx * 16 + x, cy * 16 + y) for y in range(16) for x in range(16)}
            self.assertEqual(square, {(255, 255, 255), (0, 0, 0)}, (cx, cy))
        self.assertEqual(at(16, 32), sheet(280, 0, 0))

        self.render("--overview")
        width, height, colour, palette, rows = read_png(self.out)
        self.assertEqual((width, height, colour), (256, 256, 3))
        self.assertEqual([palette[rows[4][3]], palette[rows[0][0]], palette[rows[0][10]]],
                         [(0, 77, 77), (1, 24, 24), (0, 0, 0)])  # an animated cell from a file keeps tile 0

    def test_bad_input_writes_nothing(self):
        self.write("out.png", b"old")
        whole = pathlib.Path(self.sheet).read_bytes()
        for damage, sheet in (("24-bit", sheet_bytes(self.palette, bits=24)), ("missing", None)):
            os.remove(self.sheet)
            if sheet:
                self.write("game/tiles.bmp", sheet)
            self.assertIn(b"tiles.bmp", self.render(check=2).stderr, damage)
            self.assertEqual(pathlib.Path(self.out).read_bytes(), b"old")
        self.assertEqual(sorted(os.listdir(self.dir)), ["a.map", "game", "out.png"])
        self.write("game/tiles.bmp", whole)
        self.out = self.path("missing", "out.png")
        self.assertIn(b"cannot write", self.render(check=2).stderr)


if __name__ == "__main__":
    unittest.main()
