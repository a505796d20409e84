"""quarl-map under hostile input: every run ends by itself within a memory limit, with exit status 0, 1 or 2;
a refusal names its reason and leaves every existing file byte for byte as it was."""
import json
import os
import pathlib
import random
import stat
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from quarl_map_test import MapCase, make_map, run  # noqa: E402


def snapshot(directory):
    """Every entry under directory: where a link points, a file's bytes (its size if huge), or another's kind."""
    def entry(p):
        return (os.readlink(p) if p.is_symlink() else stat.S_IFMT(p.stat().st_mode) if not p.is_file()
                else p.read_bytes() if p.stat().st_size < 1 << 20 else p.stat().st_size)
    return {p: entry(p) for p in pathlib.Path(directory).rglob("*")}


class HostileInput(MapCase):
    def setUp(self):
        super().setUp()
        self.map = self.write("in.map", make_map())

    def refused(self, args, reason, **kw):
        before = snapshot(self.dir)
        result = run(*args, check=2, **kw)
        self.assertIn(reason.encode(), result.stderr, args)
        self.assertEqual(snapshot(self.dir), before, args)
        return result

    def test_rectangles_are_checked_without_overflow_at_both_edges(self):
        for rect in [("1", "1", "2147483647", "1"), ("0", "2147483647", "1", "2147483647"), ("1", "0", "256", "1"),
                     ("0", "255", "1", "2"), ("-1", "0", "1", "1"), ("99999999999999999999", "0", "1", "1")]:
            self.refused(["cells", self.map, *rect], "the rectangle must lie inside")
        self.assertEqual(json.loads(run("cells", self.map, "255", "255", "1", "1", check=0).stdout), [[[280, -1, -1]]])
        run("cells", self.map, "256", "0", "0", "2", check=0)

    def test_inputs_over_the_size_limit_are_refused_before_they_are_read(self):
        for command, limit, kind in [(["anims"], 256 * 66, "an anims.dat"),
                                     (["tables", "--mrdata"], 2 * (2 + 511 * 16), "an mrdata.dat"),
                                     (["info"], 16 << 20, "a map")]:
            for size in (limit + 1, 1 << 34):
                os.truncate(self.write("big", b""), size)  # sparse: costs no disk
                self.refused([*command, self.path("big")], f"too large for {kind} ({size} bytes, at most {limit})")
        # The largest files that can be are read.
        anims = json.loads(run("anims", self.write("anims.dat", bytes([1, 0, 7, 0] + [0] * 62) * 256)).stdout)
        self.assertEqual((len(anims), anims[255]), (256, {"id": 255, "frames": [7]}))

    def test_inputs_and_outputs_that_are_not_files_are_refused_without_opening_them(self):
        os.mkfifo(self.path("fifo.map"))
        os.mkdir(self.path("dir.map"))
        os.symlink("fifo.map", self.path("link-to-fifo"))
        os.symlink("dir.map", self.path("link-to-dir.map"))
        for path, reason in {self.path("link-to-fifo"): "not a regular file", "/dev/zero": "not a regular file",
                             self.path("dir.map"): "Is a directory", self.path("missing"): "No such file"}.items():
            self.refused(["resave", path, self.path("out.map")], f"cannot read {path}: {reason}")
        self.refused(["resave", self.map, self.path("dir.map")], "Is a directory")
        self.refused(["new", self.path("link-to-dir.map")], "Is a directory")
        self.refused(["tables", "--write", self.path("fifo.map")], "not a regular file")

    def test_failed_saves_keep_the_old_output(self):
        noise = random.Random(7)  # cells that hardly compress: a file over 100 KB
        source = self.write("noise.map", make_map(cells={i: noise.randrange(32768) for i in range(65536)}))
        old = self.write("out.map", b"the old output")
        for command, fsize in ((["resave", source, old], 0), (["resave", source, old], 65536),
                               (["tables", "--write", old], 4096)):
            self.refused(command, "cannot write " + old + ": File too large", fsize=fsize)
        run("resave", source, old, check=0)  # with room, it is replaced
        # The editor's message stays, and the system's reason follows it.
        result = self.refused(["new", self.path("gone", "x")], "No such file or directory")
        self.assertEqual(result.stderr.decode().splitlines()[-2:], ["Error: Unable to open a file descriptor",
                         "quarl-map: cannot write " + self.path("gone", "x.map") + ": No such file or directory"])

    def test_standard_output_that_cannot_be_written_is_an_error(self):
        for command in (["info", self.map], ["--help"]):
            with open("/dev/full", "wb") as full:
                self.refused(command, "cannot write to standard output: No space left on device", stdout=full)
            self.refused(command, "cannot write to standard output: Bad file descriptor", preexec=lambda: os.close(1))
        reader, writer = os.pipe()  # a reader that has gone: a broken pipe, not a signal
        os.close(reader)
        with os.fdopen(writer, "wb") as pipe:
            self.refused(["cells", self.map], "cannot write to standard output: Broken pipe", stdout=pipe)

    def test_long_paths_are_used_whole_or_refused(self):
        deep = self.path(*(["d" * 60] * 6))
        os.makedirs(deep)
        long_map, out = os.path.join(deep, "m" * 100 + ".map"), os.path.join(deep, "o" * 100)
        pathlib.Path(long_map).write_bytes(make_map(name=b"Long"))
        self.assertEqual(run("resave", long_map, out, check=0).stdout, (out + ".map\n").encode())
        self.assertEqual(json.loads(run("info", out + ".map", check=0).stdout)["name"], "Long")
        self.refused(["info", self.path("x" * 256 + ".map")], "File name too long")
        self.refused(["new", "/" + "d/" * 2100 + "x.map"], "File name too long")

    def test_usage_errors_exit_2_with_nothing_on_standard_output(self):
        for args, message in [(["cells", self.map, "0", "0", "1"], "cells takes X Y W H"),
                              (["new", ""], "OUT is empty"), (["tables", "--write", ""], "--write names no file")]:
            self.assertEqual(self.refused(args, message).stdout, b"")


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
