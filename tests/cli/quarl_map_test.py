"""quarl-map's command-line contract: JSON shapes, texts and exit codes.

Maps are written here with Python's struct and zlib, independently of the
program, so the tool is checked against bytes it did not write itself.
"""
import json
import os
import struct
import subprocess
import sys
import tempfile
import unittest
import zlib

QUARL_MAP = os.environ.get("QUARL_MAP", "build/bin/quarl-map")
DATA = os.environ.get("QUARL_TEST_DATA", "tests/data")


def cell_word(tile=None, anim=None, data=None):
    if anim is not None:
        return (((data + 128) % 256) << 8) | (anim % 256)
    return tile & 0xFFFF


def make_map(cells=None, name=b"Arena", description=b"", team_count=2, game_type=0,
             flag_count=(0, 0, 0, 0), pole_teams=((), (), (), ()), neutral=0, version=3,
             level=6):
    """A .map file image: header fields in file order, then the cell words."""
    words = [280] * 65536
    for index, word in (cells or {}).items():
        words[index] = word
    t = team_count
    body = struct.pack("<HHBBBBBBBBBBHBB", 256, 256, 32, 10, t, game_type, 1, 2, 3, 1, 0, 1, 0, 12, 0)
    body += bytes(flag_count[:t])
    body += bytes(len(pole_teams[i]) for i in range(t))
    for i in range(t):
        body += bytes(pole_teams[i])
    body += struct.pack("<H", len(name)) + name + struct.pack("<H", len(description)) + description
    # The cell block starts at headerLength + 2: headerLength counts every
    # header byte but the magic and the headerLength field themselves.
    header_length = 1 + len(body) + 1 + 2
    raw = struct.pack("<HHB", 0x4278, header_length, version) + body + bytes([neutral])
    cell_bytes = struct.pack("<65536H", *words)
    return raw + (cell_bytes if version == 1 else zlib.compress(cell_bytes, level))


def run(*args, check=None):
    result = subprocess.run([QUARL_MAP, *args], capture_output=True)
    if check is not None:
        assert result.returncode == check, (args, result.returncode, result.stderr.decode())
    return result


class QuarlMapTest(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()
        self.addCleanup(self.dir.cleanup)

    def write(self, name, data):
        path = os.path.join(self.dir.name, name)
        with open(path, "wb") as f:
            f.write(data)
        return path

    def test_info_reports_the_header_as_read(self):
        path = self.write("a.map", make_map(name=b"Caf\xe9", description=b"two\r\nlines",
                                            game_type=1, flag_count=(1, 2, 0, 0),
                                            pole_teams=((0, 1), (1,), (), ()), neutral=3))
        info = json.loads(run("info", path, check=0).stdout)
        self.assertEqual(list(info)[:4], ["magic", "headerLength", "version", "width"])
        self.assertEqual({k: info[k] for k in ("magic", "version", "headerLength", "name", "description", "flagCount",
                                               "poleCount", "poleTeams", "neutralFlagCount", "maxPlayers",
                                               "holding", "powerups")},
                         {"magic": 0x4278, "version": 3, "headerLength": 26 + 2 * 2 + 3 + 4 + 10,
                          "name": "Café",  # Latin-1 byte 0xE9 as UTF-8
                          "description": "two\r\nlines", "flagCount": [1, 2, 0, 0], "poleCount": [2, 1, 0, 0],
                          "poleTeams": [[0, 1], [1], [], []], "neutralFlagCount": 3, "maxPlayers": 32,
                          "holding": 10, "powerups": 12})

    def test_info_recount_replaces_the_stored_counts(self):
        green_flag = cell_word(anim=28, data=0)
        path = self.write("a.map", make_map(cells={1000: green_flag}, flag_count=(5, 0, 0, 0),
                                            pole_teams=((0,), (), (), ())))
        stored = json.loads(run("info", path, check=0).stdout)
        counted = json.loads(run("info", "--recount", path, check=0).stdout)
        self.assertEqual(stored["flagCount"][0], 5)
        self.assertEqual(counted["flagCount"], [1, 0, 0, 0])
        self.assertEqual(counted["poleTeams"], [[0], [], [], []])

    def test_version_question_is_answered_no_unless_yes(self):
        path = self.write("v4.map", make_map(version=4))
        refused = run("info", path, check=2)
        self.assertIn(b"Error: Invalid Version on map, Continue?", refused.stderr)
        self.assertEqual(refused.stdout, b"")
        # Yes reads the cell block raw, like version 1: the zlib stream is taken as cells.
        self.assertEqual(json.loads(run("--yes", "info", path, check=0).stdout)["version"], 4)

    def test_cells_gives_rows_of_triples(self):
        cells = {0: cell_word(tile=5), 1: cell_word(anim=5, data=3), 256: cell_word(tile=32767)}
        path = self.write("c.map", make_map(cells=cells))
        rows = json.loads(run("cells", path, "0", "0", "2", "2", check=0).stdout)
        self.assertEqual(rows, [[[5, -1, -1], [0, 5, 3]], [[32767, -1, -1], [280, -1, -1]]])
        whole = json.loads(run("cells", path, check=0).stdout)
        self.assertEqual((len(whole), len(whole[0])), (256, 256))
        run("cells", path, "250", "0", "7", "1", check=2)

    def test_check_prints_findings_and_exits_1(self):
        switch = cell_word(anim=123, data=0)
        flag = cell_word(anim=28, data=0)
        path = self.write("s.map", make_map(cells={10: switch, 20: flag}, game_type=2))
        result = run("check", path, check=1)
        self.assertEqual(result.stdout.decode().splitlines()[:3],
                         ["Possible Flag Error!: Switches and flags reside in the map.", "Choose one or the other",
                          "Spawn/Holding Pen Error!: Holding pen non-existant for a team that exists (Green)"])
        only_flags = run("check", "--no-spawn-scan", path, check=1).stdout.decode()
        self.assertNotIn("Spawn/Holding", only_flags)
        run("check", "--no-flag-scan", "--no-spawn-scan", path, check=0)

    def test_report_has_both_texts(self):
        path = self.write("r.map", make_map(cells={10: cell_word(anim=28, data=0),
                                                   300: cell_word(anim=32, data=0)}))
        out = run("report", path, check=0).stdout.decode()
        self.assertTrue(out.startswith("== General Information ==\nFlags:\n"))
        self.assertIn("Recommended game type: Flag game", out)
        self.assertIn("== Flag Poles Information ==\nGreen Team:\n"
                      "\t0: for Green flag (x,y,data: 10,0,0x1C)\nRed Team:\n"
                      "\t0: for Green flag (x,y,data: 44,1,0x20)\n", out)

    def test_resave_writes_version_3_at_level_9_and_keeps_the_cells(self):
        cells = {i * 257: cell_word(tile=i) for i in range(256)}
        cells[5] = cell_word(anim=200, data=127)
        src = self.write("in.map", make_map(cells=cells, version=1))
        out = os.path.join(self.dir.name, "Out")
        result = run("resave", src, out, check=0)
        self.assertEqual(result.stdout.decode().strip(), out + ".map")
        with open(out + ".map", "rb") as f:
            saved = f.read()
        magic, header_length, version = struct.unpack_from("<HHB", saved)
        self.assertEqual((magic, version), (0x4278, 3))
        words = struct.unpack("<65536H", zlib.decompress(saved[header_length + 2:]))
        self.assertEqual(words[5], cell_word(anim=200, data=127))
        self.assertEqual(words[257 * 7], 7)
        cell_bytes = struct.pack("<65536H", *words)
        self.assertEqual(saved[header_length + 2:], zlib.compress(cell_bytes, 9))
        self.assertEqual(json.loads(run("cells", out + ".map", "5", "0", "1", "1", check=0).stdout),
                         [[[0, 200, 127]]])

    def test_new_keeps_a_map_extension_in_any_case(self):
        out = os.path.join(self.dir.name, "blank.MAP")
        self.assertEqual(run("new", out, check=0).stdout.decode().strip(), out)
        info = json.loads(run("info", out, check=0).stdout)
        self.assertEqual((info["name"], info["maxPlayers"], info["holding"]), ("Untitled", 64, 20))

    def test_unusable_inputs_exit_2_and_write_nothing(self):
        five = self.write("t5.map", make_map(team_count=2)[:11] + b"\x05" + make_map()[12:])
        run("info", five, check=2)
        bad = self.write("bad.dat", struct.pack("<H", 17) + bytes(17))
        run("tables", "--mrdata", bad, check=2)

    def test_tables_are_the_built_in_ones_and_write_as_mrdata(self):
        out = os.path.join(self.dir.name, "mrdata.dat")
        tables = json.loads(run("tables", "--write", out, check=0).stdout)
        self.assertEqual((len(tables["mirror"]), len(tables["rotate"])), (170, 158))
        with open(out, "rb") as f:
            data = f.read()
        self.assertEqual(len(data), 5252)
        self.assertEqual(struct.unpack_from("<H", data, 0), (2720,))
        self.assertEqual(list(struct.unpack_from("<4I", data, 2 + 16 * 165)), tables["mirror"][165])
        again = json.loads(run("tables", "--mrdata", out, check=0).stdout)
        self.assertEqual(again, tables)

    def test_anims_lists_frames_by_id(self):
        record = lambda frames: bytes([len(frames), 0]) + struct.pack("<32H", *(frames + [0] * (32 - len(frames))))
        path = self.write("anims.dat", record([10, 11]) + record([3, 0x8000 | 7, 0, 9])[:2] + bytes(64)
                          + record([5]))
        anims = json.loads(run("anims", path, check=0).stdout)
        self.assertEqual(anims, [{"id": 0, "frames": [10, 11]}, {"id": 1, "frames": []},
                                 {"id": 2, "frames": [5]}])


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
