"""quarl-map render: the PNG is read back with Python's zlib, against a tile
sheet and anims.dat written here with struct."""
import os
import struct
import subprocess
import sys
import tempfile
import unittest
import zlib

sys.path.insert(0, os.path.dirname(__file__))
from quarl_map_test import QUARL_MAP, cell_word, make_map  # noqa: E402

SHEET_ROWS = 20  # 800 tiles: the blank tile 280 is on the sheet


def sheet_pixel(tile, x, y):
    return (tile * 7 + x + 16 * y) % 240 + 16  # entries 0..15 stay unused


def write_sheet(path, palette, bits=8):
    width, height = 640, SHEET_ROWS * 16
    rows = []
    for y in range(height - 1, -1, -1):  # bottom-up
        rows.append(bytes(sheet_pixel((y // 16) * 40 + x // 16, x % 16, y % 16)
                          for x in range(width) for _ in range(bits // 8)))
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    offset = 14 + 40 + len(table)
    pixels = b"".join(rows)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    header += struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, len(pixels), 0, 0, 256, 0)
    with open(path, "wb") as f:
        f.write(header + table + pixels)


def read_png(path):
    """(width, height, colour type, palette, rows of samples)."""
    with open(path, "rb") as f:
        data = f.read()
    assert data[:8] == b"\x89PNG\r\n\x1a\n"
    pos, idat, palette = 8, b"", []
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour = struct.unpack(">IIBB", body[:10])
            assert depth == 8
        elif kind == b"PLTE":
            palette = [tuple(body[i:i + 3]) for i in range(0, length, 3)]
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    raw = zlib.decompress(idat)
    bpp = 1 if colour == 3 else 3
    stride = width * bpp
    rows, previous = [], bytearray(stride)
    for y in range(height):
        kind, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride if kind else 0):
            a = line[i - bpp] if i >= bpp else 0
            b, c = previous[i], previous[i - bpp] if i >= bpp else 0
            if kind == 1:
                line[i] = (line[i] + a) & 255
            elif kind == 2:
                line[i] = (line[i] + b) & 255
            elif kind == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append(bytes(line))
        previous = line
    return width, height, colour, palette, rows


class RenderTest(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()
        self.addCleanup(self.dir.cleanup)
        self.game = os.path.join(self.dir.name, "game")
        os.mkdir(self.game)
        # Entry i: a colour of its own; 0 black and 15 white as in a real sheet.
        self.palette = [(i, 255 - i, (i * 5) % 256) for i in range(256)]
        self.palette[0], self.palette[15] = (0, 0, 0), (255, 255, 255)
        write_sheet(os.path.join(self.game, "tiles.bmp"), self.palette)
        anims = struct.pack("<BB32H", 2, 0, 5, 6, *([0] * 30))  # animation 0: tiles 5, 6
        anims += struct.pack("<BB32H", 0, 0, *([0] * 32))       # animation 1: no frames
        with open(os.path.join(self.game, "anims.dat"), "wb") as f:
            f.write(anims)
        cells = {4 * 256 + 3: cell_word(tile=77), 10: cell_word(anim=0, data=3), 256: cell_word(anim=9, data=0),
                 257: cell_word(anim=1, data=0), 255 * 256 + 255: cell_word(anim=200, data=0)}
        self.map = os.path.join(self.dir.name, "a.map")
        with open(self.map, "wb") as f:
            f.write(make_map(cells))
        self.out = os.path.join(self.dir.name, "out.png")

    def render(self, *extra, check=0):
        result = subprocess.run([QUARL_MAP, "render", self.map, self.out, "--game", self.game, *extra],
                                capture_output=True)
        self.assertEqual(result.returncode, check, result.stderr.decode())
        return result

    def test_map_is_an_indexed_picture_drawn_cell_by_cell(self):
        self.render()
        width, height, colour, palette, rows = read_png(self.out)
        self.assertEqual((width, height, colour), (4096, 4096, 3))
        colour_at = lambda x, y: palette[rows[y][x]]
        expect = lambda tile, x, y: self.palette[sheet_pixel(tile, x, y)]
        self.assertEqual(colour_at(3 * 16 + 5, 4 * 16 + 9), expect(77, 5, 9))
        self.assertEqual(colour_at(100 * 16 + 15, 200 * 16), expect(280, 15, 0))
        self.assertEqual(colour_at(10 * 16 + 2, 3), expect(6, 2, 3))  # data 3 of two frames: frame 1
        # Unknown ids and animations without frames: white with a black label.
        for cx, cy in ((0, 1), (1, 1), (255, 255)):
            square = [colour_at(cx * 16 + x, cy * 16 + y) for y in range(16) for x in range(16)]
            self.assertEqual(square[15 * 16 + 15], (255, 255, 255))
            self.assertEqual(set(square), {(255, 255, 255), (0, 0, 0)}, (cx, cy))
        # The 17th row and column of a square lie under the next cells.
        self.assertEqual(colour_at(16, 32), expect(280, 0, 0))
        self.assertNotEqual([colour_at(x, 16 + 2) for x in range(16)], [colour_at(16 + x, 16 + 2) for x in range(16)])

    def test_overview_shows_one_pixel_a_cell(self):
        self.render("--overview")
        width, height, colour, palette, rows = read_png(self.out)
        self.assertEqual((width, height, colour), (256, 256, 3))
        self.assertEqual(palette[rows[4][3]], (0, 77, 77))
        self.assertEqual(palette[rows[0][0]], (1, 24, 24))
        self.assertEqual(palette[rows[0][10]], (0, 0, 0))  # animated cells from a file keep tile 0

    def test_bad_input_writes_nothing(self):
        with open(self.out, "wb") as f:
            f.write(b"old")
        sheet = os.path.join(self.game, "tiles.bmp")
        with open(sheet, "rb") as f:
            whole = f.read()
        for damage in (whole[:5000], b"", None):
            if damage is None:
                write_sheet(sheet, self.palette[:16] * 16, bits=24)  # not 8-bit
            elif damage:
                with open(sheet, "wb") as f:
                    f.write(damage)
            else:
                os.remove(sheet)
            result = self.render(check=2)
            self.assertIn(b"tiles.bmp", result.stderr)
            with open(self.out, "rb") as f:
                self.assertEqual(f.read(), b"old")
        self.assertEqual(sorted(os.listdir(self.dir.name)), ["a.map", "game", "out.png"])
        with open(sheet, "wb") as f:
            f.write(whole)
        self.out = os.path.join(self.dir.name, "missing", "out.png")
        self.assertIn(b"cannot write", self.render(check=2).stderr)


if __name__ == "__main__":
    unittest.main()
