"""Writes a game directory and a map, and has the native quarl-map render
the map, for the Windows test that compares the PNG with the map window:
    render_fixture.py OUTDIR QUARL_MAP"""
import os
import struct
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "cli"))
from quarl_map_test import cell_word, make_map  # noqa: E402
from quarl_map_render_test import sheet_bytes  # noqa: E402

out, quarl_map = sys.argv[1], sys.argv[2]
game = os.path.join(out, "game")
os.makedirs(game, exist_ok=True)
with open(os.path.join(game, "tiles.bmp"), "wb") as f:
    f.write(sheet_bytes())
# Animation 0: tiles 5, 6, 7; 1: no frames; 2: tile 700.
anims = struct.pack("<BB32H", 3, 0, 5, 6, 7, *([0] * 29))
anims += struct.pack("<BB32H", 0, 0, *([0] * 32))
anims += struct.pack("<BB32H", 1, 0, 700, *([0] * 31))
with open(os.path.join(game, "anims.dat"), "wb") as f:
    f.write(anims)

cells = {}
for y in range(256):
    for x in range(256):
        if (x + y) % 5 == 0:
            cells[y * 256 + x] = cell_word(tile=(x * 7 + y * 3) % 800)
        elif (x * y) % 23 == 1:
            cells[y * 256 + x] = cell_word(anim=(x + y) % 4, data=(x - y) % 9)  # 3: no such animation
        elif (x * 3 + y) % 97 == 0:
            cells[y * 256 + x] = cell_word(anim=0x1a, data=0)
for x, y in ((255, 255), (255, 0), (0, 255), (254, 255)):
    cells[y * 256 + x] = cell_word(anim=0xc3, data=1)
with open(os.path.join(out, "render.map"), "wb") as f:
    f.write(make_map(cells))
subprocess.run([quarl_map, "render", os.path.join(out, "render.map"), os.path.join(out, "render.png"),
                "--game", game], check=True)
