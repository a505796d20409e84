"""quarl-map's command-line contract: JSON shapes, texts and exit codes, against
maps written here with Python's struct and zlib, independently of the program."""
import json
import os
import pathlib
import resource
import struct
import subprocess
import sys
import tempfile
import unittest
import zlib

QUARL_MAP = os.environ.get("QUARL_MAP", "build/bin/quarl-map")


def cell_word(tile=None, anim=None, data=None):
    if anim is not None:
        return (((data + 128) % 256) << 8) | (anim % 256)
    return tile & 0xFFFF


def cell_words(cells):
    return [(cells or {}).get(i, 280) for i in range(65536)]


def make_map(cells=None, name=b"Arena", description=b"", game_type=0, flag_count=(0, 0),
             pole_teams=((), ()), neutral=0, version=3):
    """A two-team .map file image: header fields in file order, then the cell words."""
    body = struct.pack("<HHBBBBBBBBBBHBB", 256, 256, 32, 10, 2, game_type, 1, 2, 3, 1, 0, 1, 0, 12, 0)
    body += bytes(flag_count) + bytes(len(teams) for teams in pole_teams) + b"".join(map(bytes, pole_teams))
    body += struct.pack("<H", len(name)) + name + struct.pack("<H", len(description)) + description
    # headerLength counts every header byte but the magic and itself.
    raw = struct.pack("<HHB", 0x4278, 1 + len(body) + 1 + 2, version) + body + bytes([neutral])
    cell_bytes = struct.pack("<65536H", *cell_words(cells))
    return raw + (cell_bytes if version == 1 else zlib.compress(cell_bytes))


def read_cells(path):
    """The header length and the 65536 cell words of a compressed .map file."""
    raw = pathlib.Path(path).read_bytes()
    header_length = struct.unpack_from("<H", raw, 2)[0]
    return raw, header_length, struct.unpack("<65536H", zlib.decompress(raw[header_length + 2:]))


def run(*args, check=None, fsize=None, stdout=subprocess.PIPE, preexec=None):
    """quarl-map within 512 MiB and 20 seconds; it must exit with status check, or else with 0, 1 or 2."""
    def limits():
        resource.setrlimit(resource.RLIMIT_AS, (512 << 20, 512 << 20))
        if fsize is not None:
            resource.setrlimit(resource.RLIMIT_FSIZE, (fsize, fsize))
        if preexec:
            preexec()
    result = subprocess.run([QUARL_MAP, *args], stdout=stdout, stderr=subprocess.PIPE, stdin=subprocess.DEVNULL,
                            timeout=20, preexec_fn=limits)
    assert result.returncode in ((0, 1, 2) if check is None else (check,)), (args, result.returncode, result.stderr)
    return result


class MapCase(unittest.TestCase):
    """A test with its own temporary directory."""
    def setUp(self):
        self.dir = self.enterContext(tempfile.TemporaryDirectory())

    def path(self, *names):
        return os.path.join(self.dir, *names)

    def write(self, name, data):
        pathlib.Path(self.path(name)).write_bytes(data)
        return self.path(name)


class QuarlMapTest(MapCase):
    def test_info_reports_the_header_as_read_in_order(self):
        path = self.write("a.map", make_map(name=b"Caf\xe9", description=b"two\r\nlines", game_type=1,
                                            flag_count=(1, 2), pole_teams=((0, 1), (1,)), neutral=3))
        info = json.loads(run("info", path, check=0).stdout)
        self.assertEqual(list(info.items()), [
            ("magic", 0x4278), ("headerLength", 26 + 2 * 2 + 3 + 4 + 10), ("version", 3), ("width", 256),
            ("height", 256), ("maxPlayers", 32), ("holding", 10), ("teamCount", 2), ("gameType", 1),
            ("laserDamage", 1), ("specialDamage", 2), ("rechargeRate", 3), ("missiles", 1), ("bombs", 0),
            ("bouncies", 1), ("popupCount", 0), ("powerups", 12), ("switchCount", 0), ("flagCount", [1, 2, 0, 0]),
            ("poleCount", [2, 1, 0, 0]), ("poleTeams", [[0, 1], [1], [], []]), ("neutralFlagCount", 3),
            ("name", "Café"), ("description", "two\r\nlines")])  # Latin-1 0xE9 as UTF-8

    def test_info_recount_replaces_the_stored_counts(self):
        path = self.write("a.map", make_map(cells={1000: cell_word(anim=28, data=0)}, flag_count=(5, 0)))
        self.assertEqual(json.loads(run("info", path, check=0).stdout)["flagCount"][0], 5)
        counted = json.loads(run("info", "--recount", path, check=0).stdout)
        self.assertEqual((counted["flagCount"], counted["poleTeams"]), ([1, 0, 0, 0], [[0], [], [], []]))

    def test_version_question_is_answered_no_unless_yes(self):
        path = self.write("v4.map", make_map(version=4))
        self.assertIn(b"Error: Invalid Version on map, Continue? [No]", run("info", path, check=2).stderr)
        # Yes reads the cell block raw, like version 1: the zlib stream is taken as cells.
        self.assertEqual(json.loads(run("--yes", "info", path, check=0).stdout)["version"], 4)

    def test_cells_gives_rows_of_triples(self):
        path = self.write("c.map", make_map(cells={0: 5, 1: cell_word(anim=5, data=3), 256: 32767}))
        rows = json.loads(run("cells", path, "0", "0", "2", "2", check=0).stdout)
        self.assertEqual(rows, [[[5, -1, -1], [0, 5, 3]], [[32767, -1, -1], [280, -1, -1]]])
        self.assertEqual(len(json.loads(run("cells", path, check=0).stdout)), 256)  # the whole map

    def test_check_and_report(self):
        path = self.write("s.map", make_map(cells={10: cell_word(anim=123, data=0), 20: cell_word(anim=28, data=0),
                                                   300: cell_word(anim=32, data=0)}, game_type=2))
        self.assertEqual(run("check", path, check=1).stdout.decode().splitlines()[::2],
                         ["Possible Flag Error!: Switches and flags reside in the map.",
                          "Spawn/Holding Pen Error!: Holding pen non-existant for a team that exists (Green)"])
        self.assertNotIn(b"Spawn/Holding", run("check", "--no-spawn-scan", path, check=1).stdout)
        run("check", "--no-flag-scan", "--no-spawn-scan", path, check=0)
        self.assertRegex(run("report", path, check=0).stdout.decode(),
                         r"^== General Information ==\n(.|\n)+\n== Flag Poles Information ==\n")

    def test_resave_writes_version_3_at_level_9_and_keeps_the_cells(self):
        cells = {**{i * 257: i for i in range(256)}, 5: cell_word(anim=200, data=127)}
        src = self.write("in.map", make_map(cells=cells, version=1))
        out = self.path("Out")
        self.assertEqual(run("resave", src, out, check=0).stdout.decode(), out + ".map\n")
        saved, header_length, _ = read_cells(out + ".map")
        self.assertEqual(struct.unpack_from("<HxxB", saved), (0x4278, 3))
        self.assertEqual(saved[header_length + 2:], zlib.compress(struct.pack("<65536H", *cell_words(cells)), 9))

    def test_new_keeps_a_map_extension_in_any_case(self):
        out = self.path("blank.MAP")
        self.assertEqual(run("new", out, check=0).stdout.decode(), out + "\n")
        self.assertEqual(json.loads(run("info", out, check=0).stdout)["name"], "Untitled")

    def test_tables_write_as_mrdata_and_read_back_and_bad_ones_exit_2(self):
        out = self.path("mrdata.dat")
        tables = json.loads(run("tables", "--write", out, check=0).stdout)
        data = pathlib.Path(out).read_bytes()
        self.assertEqual(list(struct.unpack_from("<4I", data, 2 + 16 * 165)), tables["mirror"][165])
        self.assertEqual(json.loads(run("tables", "--mrdata", out, check=0).stdout), tables)
        run("tables", "--mrdata", self.write("bad.dat", struct.pack("<H", 17) + bytes(17)), check=2)


class EditTest(MapCase):
    """quarl-map edit: scripts run through the editing engine."""
    def setUp(self):
        super().setUp()
        self.map = self.write("in.map", make_map({0: 1, 1: 2, 2: 3, 256: 41, 257: 0x8305, 258: 43}))  # anim 5, data 3

    def edit(self, script, *args, check=0, from_file=False):
        source = self.write("script.txt", script.encode()) if from_file else "-"
        result = subprocess.run([QUARL_MAP, "edit", self.map, *args, source], input=script.encode(),
                                capture_output=True)
        self.assertEqual(result.returncode, check, result.stderr.decode() + result.stdout.decode())
        self.stderr = result.stderr.decode()
        lines = result.stdout.decode().splitlines()
        return [json.loads(line) if line[:1] in ("[", "{", '"') else line for line in lines]

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
    unittest.main(argv=sys.argv[:1], verbosity=2)
