"""quarl-map render: the PNG read back with Python's zlib, against a tile sheet and anims.dat written with struct."""
import os
import pathlib
import struct
import subprocess
import sys
import unittest
import zlib

sys.path.insert(0, os.path.dirname(__file__))
from quarl_map_test import QUARL_MAP, MapCase, make_map  # noqa: E402

PALETTE = [{0: (0, 0, 0), 15: (255, 255, 255)}.get(i, (i, 255 - i, (i * 5) % 256)) for i in range(256)]


def sheet_pixel(tile, x, y):
    return (tile * 7 + x + 16 * y) % 240 + 16  # entries 0..15, black and white among them, unused


def sheet_bytes(bits=8):
    pixels = b"".join(bytes(sheet_pixel(y // 16 * 40 + x // 16, x % 16, y % 16) for x in range(640)
                            for _ in range(bits // 8)) for y in range(319, -1, -1))  # 640 x 320, bottom-up
    table = b"".join(struct.pack("<BBBx", b, g, r) for r, g, b in PALETTE)
    return struct.pack("<2sIHHIIiiHHIIiiII", b"BM", 1078 + len(pixels), 0, 0, 1078, 40, 640, 320, 1, bits, 0,
                       len(pixels), 0, 0, 256, 0) + table + pixels


def read_unfiltered_png(path):
    data, pos, chunks = pathlib.Path(path).read_bytes(), 8, {}
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        chunks[kind] = chunks.get(kind, b"") + data[pos + 8:pos + 8 + length]
        pos += 12 + length
    width, height, _, colour = struct.unpack(">IIBB", chunks[b"IHDR"][:10])
    raw, stride = zlib.decompress(chunks[b"IDAT"]), width + 1
    assert colour == 3 and raw[::stride] == bytes(height), "not an indexed PNG with unfiltered rows"
    palette = [tuple(chunks[b"PLTE"][i:i + 3]) for i in range(0, len(chunks[b"PLTE"]), 3)]
    return width, height, colour, palette, [raw[y * stride + 1:(y + 1) * stride] for y in range(height)]


class RenderTest(MapCase):
    def setUp(self):
        super().setUp()
        self.write("tiles.bmp", sheet_bytes())
        self.write("anims.dat", struct.pack("<BB32H", 2, 0, 5, 6, *[0] * 30) + bytes(66))  # 0: tiles 5, 6; 1: none
        # Tile 77; animations 0 with data 3, 9 and 1 (unknown, no frames) and 200 (unknown) in the last cell.
        self.map = self.write("a.map", make_map({4 * 256 + 3: 77, 10: 0x8300, 256: 0x8009, 257: 0x8001, 65535: 0x80C8}))

    def render(self, *extra, check=0):
        out = self.path("out.png")
        result = subprocess.run([QUARL_MAP, "render", self.map, out, "--game", self.dir, *extra], capture_output=True)
        self.assertEqual(result.returncode, check, result.stderr.decode())
        return result.stderr if check else read_unfiltered_png(out)

    def test_map_and_overview(self):
        width, height, colour, palette, rows = self.render()
        at = lambda x, y: palette[rows[y][x]]
        sheet = lambda tile, x, y: PALETTE[sheet_pixel(tile, x, y)]
        self.assertEqual([width, height, colour, at(3 * 16 + 5, 4 * 16 + 9), at(1615, 3200), at(162, 3), at(16, 32)],
                         [4096, 4096, 3, sheet(77, 5, 9), sheet(280, 15, 0), sheet(6, 2, 3), sheet(280, 0, 0)])
        # Data 3 of two frames shows frame 1. Unknown ids and animations without frames: white with a black
        # label; the square's 17th row and column lie under the next cells, as at (16, 32).
        squares = [{at(x + i % 16, y + i // 16) for i in range(256)} for x, y in ((0, 16), (16, 16), (4080, 4080))]
        self.assertEqual(squares, [{(255, 255, 255), (0, 0, 0)}] * 3)
        width, height, colour, palette, rows = self.render("--overview")
        self.assertEqual([width, height, colour, palette[rows[4][3]], palette[rows[0][0]], palette[rows[0][10]]],
                         [256, 256, 3, (0, 77, 77), (1, 24, 24), (0, 0, 0)])  # an animated cell keeps tile 0

    def test_bad_input_writes_nothing(self):
        self.write("out.png", b"old")
        self.write("tiles.bmp", sheet_bytes(bits=24))
        self.assertIn(b"tiles.bmp: the tile sheet is not an 8-bit bitmap", self.render(check=2))
        self.assertEqual((pathlib.Path(self.path("out.png")).read_bytes(), sorted(os.listdir(self.dir))),
                         (b"old", ["a.map", "anims.dat", "out.png", "tiles.bmp"]))


if __name__ == "__main__":
    unittest.main()
