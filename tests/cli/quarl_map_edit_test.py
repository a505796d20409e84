"""quarl-map edit: scripts run through the editing engine, the maps and the
clipboard block read and built here with struct and zlib."""
import json
import os
import struct
import subprocess
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from quarl_map_test import QUARL_MAP, MapCase, cell_word, make_map, read_cells  # noqa: E402


class EditTest(MapCase):
    def setUp(self):
        super().setUp()
        self.map = self.write("in.map", make_map({0: 1, 1: 2, 2: 3, 256: 41, 257: cell_word(anim=5, data=3),
                                                  258: 43}))

    def edit(self, script, *args, check=0, from_file=False):
        source = self.write("script.txt", script.encode()) if from_file else "-"
        result = subprocess.run([QUARL_MAP, "edit", self.map, *args, source], input=script.encode(),
                                capture_output=True)
        self.assertEqual(result.returncode, check, result.stderr.decode() + result.stdout.decode())
        self.stderr = result.stderr.decode()
        lines = result.stdout.decode().splitlines()
        return [json.loads(line) if line[:1] in ("[", "{", "\"") else line for line in lines]

    def test_copy_gives_the_clipboard_block_and_paste_writes_it_elsewhere(self):
        out = self.path("out.map")
        lines = self.edit("select 0 0 3 2\ncopy\nprint clipboard\nselect 250 10 1 1  # three columns fit\n"
                          "paste\nprint selection\nprint history\n", "-o", out)
        self.assertEqual(lines[0], (b"ZOR0" + struct.pack(">HH6H", 3, 2, 1, 2, 3, 41, 0x8305, 43)).hex())
        self.assertEqual(lines[1], {"start": 10 * 256 + 250, "width": 1, "height": 1, "shown": True,
                                    "rect": [4000, 160, 4016, 176]})
        self.assertEqual(lines[2]["undo"], [{"cell": 10 * 256 + 250, "width": 3, "height": 2, "kind": 0}])
        words = read_cells(out)[2]
        self.assertEqual((words[10 * 256 + 250: 10 * 256 + 253], words[11 * 256 + 251]), ((1, 2, 3), 0x8305))

    def test_questions_are_printed_in_order_and_answered_by_the_next_line(self):
        script = "tool flag\nclick 5 5\nanswer yes\nprint info\ntool switch\nclick 20 20\nprint info\n"
        lines = self.edit(script)
        self.assertEqual([lines[0], lines[1]["gameType"], lines[2], lines[3]["gameType"]],
                         ['Flag Placed: Would you like to set the game type to "Flag Game"', 1,
                          'Switch Placed: Would you like to set the game type to "Switch Game"', 1])  # No by default
        self.assertEqual(self.edit(script, "--yes")[3]["gameType"], 2)
        self.assertEqual(self.edit("copy\n")[0], "Error - Non-Fatal: You have not created a selection mask\\n"
                                                 "See zormpd.rtf for information on the Select Tool")  # one line

    def test_a_bad_line_stops_before_anything_is_saved(self):
        final = self.path("final.map")
        self.edit("tile 7\nsave %s\nclick 1 1\nfrobnicate\n" % self.path("early.map"), "-o", final, check=2,
                  from_file=True)
        self.assertIn("line 4", self.stderr)
        for script in ("team 9\n", "tile 7 2\n", "key alt+home\n", "print cells 250 0 10 1\n", "switch 2\n"):
            self.edit(script, "-o", final, check=2)
            self.assertIn("line 1", self.stderr, script)
        self.assertEqual(sorted(os.listdir(self.dir)), ["in.map", "script.txt"])

    def test_two_maps_rectangle_tools_undo_and_redo(self):
        lines = self.edit("new\nswitch 1\nselect 0 0 2 1\ncut\nswitch 2\nselect 100 100 1 1\npaste\n"
                          "print cells 100 100 2 1\nswitch 1\nprint cells 0 0 2 1\n"
                          "tool bridge\nbridge leftright\npress 10 10\nmove 12 12\nrelease 12 12\n"
                          "undo\nprint cells 11 11 1 1\nredo\nprint cells 11 11 1 1\nkey alt+right\nprint selection\n")
        self.assertEqual(lines[:3], [[[[1, -1, -1], [2, -1, -1]]], [[[280, -1, -1], [280, -1, -1]]],
                                     [[[280, -1, -1]]]])
        self.assertNotEqual(lines[3], [[[280, -1, -1]]])
        self.assertEqual(lines[4]["width"], 4)  # the bridge stays selected, grown by one


if __name__ == "__main__":
    unittest.main()
