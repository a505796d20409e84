"""quarl-map edit: scripts run through the editing engine.

Maps are written and read back here with Python's struct and zlib, and the
clipboard block is built with struct, independently of the program.
"""
import json
import os
import struct
import subprocess
import sys
import tempfile
import unittest
import zlib

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from quarl_map_test import QUARL_MAP, cell_word, make_map  # noqa: E402


def read_cells(path):
    """The 65536 cell words of a compressed .map file."""
    with open(path, "rb") as f:
        raw = f.read()
    header_length = struct.unpack_from("<H", raw, 2)[0]
    return struct.unpack("<65536H", zlib.decompress(raw[header_length + 2:]))


class EditTest(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()
        self.addCleanup(self.dir.cleanup)
        self.map = self.path("in.map")
        with open(self.map, "wb") as f:
            f.write(make_map({0: cell_word(tile=1), 1: cell_word(tile=2), 2: cell_word(tile=3),
                              256: cell_word(tile=41), 257: cell_word(anim=5, data=3), 258: cell_word(tile=43)}))

    def path(self, name):
        return os.path.join(self.dir.name, name)

    def edit(self, script, *args, stdin=False):
        if stdin:
            return subprocess.run([QUARL_MAP, "edit", self.map, *args, "-"], input=script.encode(),
                                  capture_output=True)
        with open(self.path("script.txt"), "w") as f:
            f.write(script)
        return subprocess.run([QUARL_MAP, "edit", self.map, *args, self.path("script.txt")], capture_output=True)

    def lines(self, result):
        self.assertEqual(result.returncode, 0, result.stderr.decode() + result.stdout.decode())
        return result.stdout.decode().splitlines()

    def test_copy_gives_the_clipboard_block_and_paste_writes_it_elsewhere(self):
        out = self.path("out.map")
        lines = self.lines(self.edit("select 0 0 3 2\ncopy\nprint clipboard\n"
                                     "select 250 10 1 1  # pasted at column 250: three columns fit\n"
                                     "paste\nprint selection\nprint history\n", "-o", out))
        expected = b"ZOR0" + struct.pack(">HH6H", 3, 2, 1, 2, 3, 41, 0x8305, 43)
        self.assertEqual(json.loads(lines[0]), expected.hex())
        self.assertEqual(json.loads(lines[1]), {"start": 10 * 256 + 250, "width": 1, "height": 1, "shown": True,
                                                "rect": [4000, 160, 4016, 176]})
        self.assertEqual(json.loads(lines[2])["undo"], [{"cell": 10 * 256 + 250, "width": 3, "height": 2, "kind": 0}])
        words = read_cells(out)
        self.assertEqual(words[10 * 256 + 250: 10 * 256 + 253], (1, 2, 3))
        self.assertEqual(words[11 * 256 + 251], 0x8305)

    def test_questions_are_printed_in_order_and_answered_by_the_next_line(self):
        script = "tool flag\nclick 5 5\nanswer yes\nprint info\ntool switch\nclick 20 20\nprint info\n"
        lines = self.lines(self.edit(script))
        self.assertEqual(lines[0], 'Flag Placed: Would you like to set the game type to "Flag Game"')
        self.assertEqual(json.loads(lines[1])["gameType"], 1)
        self.assertEqual(lines[2], 'Switch Placed: Would you like to set the game type to "Switch Game"')
        self.assertEqual(json.loads(lines[3])["gameType"], 1)  # answered No by default
        lines = self.lines(self.edit(script, "--yes", stdin=True))
        self.assertEqual(json.loads(lines[3])["gameType"], 2)
        # A message keeps to one line.
        self.assertEqual(self.lines(self.edit("copy\n"))[0],
                         "Error - Non-Fatal: You have not created a selection mask\\n"
                         "See zormpd.rtf for information on the Select Tool")

    def test_a_bad_line_stops_before_anything_is_saved(self):
        out = self.path("early.map")
        for script, line in (("tile 7\nsave %s\nclick 1 1\nfrobnicate\n" % out, 4),
                             ("team 9\n", 1), ("tile 7 2\n", 1), ("key alt+home\n", 1),
                             ("print cells 250 0 10 1\n", 1), ("switch 2\n", 1)):
            result = self.edit(script, "-o", self.path("final.map"))
            self.assertEqual(result.returncode, 2, script)
            self.assertIn("line %d" % line, result.stderr.decode())
            self.assertFalse(os.path.exists(out))
            self.assertFalse(os.path.exists(self.path("final.map")))

    def test_two_maps_rectangle_tools_undo_and_redo(self):
        script = ("new\nswitch 1\nselect 0 0 2 1\ncut\nswitch 2\nselect 100 100 1 1\npaste\n"
                  "print cells 100 100 2 1\nswitch 1\nprint cells 0 0 2 1\n"
                  "tool bridge\nbridge leftright\npress 10 10\nmove 12 12\nrelease 12 12\n"
                  "undo\nprint cells 11 11 1 1\nredo\nprint cells 11 11 1 1\nkey alt+right\nprint selection\n")
        lines = self.lines(self.edit(script))
        self.assertEqual(json.loads(lines[0]), [[[1, -1, -1], [2, -1, -1]]])
        self.assertEqual(json.loads(lines[1]), [[[280, -1, -1], [280, -1, -1]]])
        self.assertEqual(json.loads(lines[2]), [[[280, -1, -1]]])
        self.assertNotEqual(json.loads(lines[3]), [[[280, -1, -1]]])
        self.assertEqual(json.loads(lines[4])["width"], 4)  # the bridge stays selected, grown by one


if __name__ == "__main__":
    unittest.main()
