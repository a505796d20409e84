"""quarl-map under hostile input: every run ends by itself, within a memory
limit, with exit status 0, 1 or 2 and never by a signal; a refusal names its
reason; a failed write leaves every existing file byte for byte as it was.
"""
import os
import random
import resource
import socket
import stat
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from quarl_map_test import QUARL_MAP, cell_word, make_map  # noqa: E402

MEMORY_LIMIT = 512 << 20
TIMEOUT = 20
ANIMS_LIMIT = 256 * 66
MRDATA_LIMIT = 2 * (2 + 511 * 16)
MAP_LIMIT = 16 << 20


def run(*args, fsize=None, stdout=subprocess.PIPE):
    def limits():
        resource.setrlimit(resource.RLIMIT_AS, (MEMORY_LIMIT, MEMORY_LIMIT))
        if fsize is not None:
            resource.setrlimit(resource.RLIMIT_FSIZE, (fsize, fsize))
    result = subprocess.run([QUARL_MAP, *args], stdout=stdout, stderr=subprocess.PIPE,
                            stdin=subprocess.DEVNULL, timeout=TIMEOUT, preexec_fn=limits)
    assert result.returncode in (0, 1, 2), (args, result.returncode, result.stderr)
    return result


def snapshot(directory):
    """Every entry under directory: its kind and bytes, or where a link points."""
    seen = {}
    for root, dirs, files in os.walk(directory):
        for name in dirs + files:
            path = os.path.join(root, name)
            mode = os.lstat(path).st_mode
            if stat.S_ISLNK(mode):
                seen[path] = ("link", os.readlink(path))
            elif stat.S_ISREG(mode):
                with open(path, "rb") as f:
                    seen[path] = ("file", f.read())
            else:
                seen[path] = ("other", stat.S_IFMT(mode))
    return seen


def noise_map():
    """A map whose cells hardly compress: its file is over 100 KB."""
    noise = random.Random(7)
    return make_map(cells={i: noise.randrange(32768) for i in range(65536)})


class HostileInput(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.TemporaryDirectory()
        self.addCleanup(self.tmp.cleanup)
        self.dir = self.tmp.name
        self.map = self.write("in.map", make_map(name=b"Real"))

    def path(self, *names):
        return os.path.join(self.dir, *names)

    def write(self, name, data):
        with open(self.path(name), "wb") as f:
            f.write(data)
        return self.path(name)

    def refused(self, args, reason, **kw):
        result = run(*args, **kw)
        self.assertEqual(result.returncode, 2, (args, result.stderr))
        self.assertIn(reason.encode(), result.stderr, args)
        return result

    def refused_leaving_files(self, args, reason, **kw):
        before = snapshot(self.dir)
        self.refused(args, reason, **kw)
        self.assertEqual(snapshot(self.dir), before, args)

    # 1. Rectangles are checked without overflow, at both edges.
    def test_rectangles(self):
        for rect in [("1", "1", "2147483647", "1"), ("0", "2147483647", "1", "2147483647"), ("1", "0", "256", "1"),
                     ("0", "255", "1", "2"), ("-1", "0", "1", "1"), ("99999999999999999999", "0", "1", "1")]:
            self.refused(["cells", self.map, *rect], "the rectangle must lie inside")
        corner = run("cells", self.map, "255", "255", "1", "1").stdout
        self.assertEqual(corner.split(), b"[ [ [ 280, -1, -1 ] ] ]".split())
        self.assertEqual(run("cells", self.map, "256", "0", "0", "2").returncode, 0)

    # 2. Inputs larger than the file can be are refused before they are read.
    def test_size_limits(self):
        for name, command, limit, kind in [("anims.dat", ["anims"], ANIMS_LIMIT, "an anims.dat"),
                                           ("mrdata.dat", ["tables", "--mrdata"], MRDATA_LIMIT, "an mrdata.dat"),
                                           ("huge.map", ["info"], MAP_LIMIT, "a map")]:
            path = self.path(name)
            for size in (limit + 1, 20 << 20, 1 << 34):
                with open(path, "wb") as f:
                    f.truncate(size)  # sparse: costs no disk
                self.refused([*command, path], f"too large for {kind} ({size} bytes, at most {limit})")
        # The largest files that can be are read.
        self.write("anims.dat", bytes([1, 0, 7, 0] + [0] * 62) * 256)
        self.assertEqual(run("anims", self.path("anims.dat")).stdout.count(b'"id"'), 256)
        entry = (1).to_bytes(4, "little") * 4
        full = ((511 * 16).to_bytes(2, "little") + entry * 511) * 2
        self.write("mrdata.dat", full)
        self.assertEqual(run("tables", "--mrdata", self.path("mrdata.dat")).returncode, 0)

    # 3. Anything but a regular file is refused at once, without opening it.
    def test_inputs_that_are_not_files(self):
        os.mkfifo(self.path("fifo"))
        os.mkdir(self.path("dir.map"))
        os.symlink("fifo", self.path("link-to-fifo"))
        server = socket.socket(socket.AF_UNIX)
        server.bind(self.path("sock"))
        self.addCleanup(server.close)
        inputs = {self.path("link-to-fifo"): "not a regular file", self.path("sock"): "not a regular file",
                  "/dev/zero": "not a regular file", self.path("dir.map"): "Is a directory",
                  self.path("missing"): "No such file or directory"}
        for path, reason in inputs.items():
            for command in (["info", path], ["cells", path], ["check", path], ["report", path],
                            ["resave", path, self.path("out.map")], ["anims", path], ["tables", "--mrdata", path]):
                self.refused_leaving_files(command, f"cannot read {path}: {reason}")

    # 4. A save that fails leaves the old file byte for byte and no stray file.
    def test_failed_saves_keep_the_old_output(self):
        source = self.write("noise.map", noise_map())
        old = self.write("out.map", b"the old output")
        for command, fsizes in ((["resave", source, old], (0, 1, 4096, 65536)),
                                (["tables", "--write", old], (0, 1, 4096))):
            for fsize in fsizes:
                self.refused_leaving_files(command, "cannot write " + old + ": File too large", fsize=fsize)
        self.refused_leaving_files(["new", old], "cannot write " + old + ": File too large", fsize=100)
        self.assertIn(b"Error: Unable to write", run("resave", source, old, fsize=4096).stderr)
        # With room, the same command replaces it.
        self.assertEqual(run("resave", source, old).returncode, 0)
        self.assertEqual(run("info", old).returncode, 0)

    # 5. A directory as output is refused; a link is written through.
    def test_outputs_that_are_not_files(self):
        os.mkdir(self.path("empty.map"))
        os.mkfifo(self.path("fifo.map"))
        for out in ("empty.map", "fifo.map"):
            reason = "not a regular file" if out == "fifo.map" else "Is a directory"
            for command in (["resave", self.map, self.path(out)], ["new", self.path(out)],
                            ["tables", "--write", self.path(out)]):
                self.refused_leaving_files(command, reason)
        self.write("target.map", b"old target")
        os.symlink("target.map", self.path("link.map"))
        os.symlink("empty.map", self.path("dirlink.map"))
        os.symlink("later.map", self.path("dangling.map"))
        self.assertEqual(run("resave", self.map, self.path("link.map")).returncode, 0)
        self.assertEqual(os.readlink(self.path("link.map")), "target.map")
        with open(self.path("target.map"), "rb") as f:
            self.assertEqual(f.read()[:2], b"\x78\x42")
        self.refused_leaving_files(["new", self.path("dirlink.map")], "Is a directory")
        self.assertEqual(run("tables", "--write", self.path("dangling.map")).returncode, 0)
        self.assertEqual(os.path.getsize(self.path("later.map")), 5252)

    # 6. Standard output that cannot be written is an error.
    def test_output_that_cannot_be_written(self):
        out = self.path("written.map")
        anims = self.write("anims.dat", bytes(66))
        commands = [["info", self.map], ["cells", self.map], ["report", self.map], ["check", self.map],
                    ["tables"], ["anims", anims], ["resave", self.map, out], ["new", out], ["--help"]]
        for command in commands:
            with open("/dev/full", "wb") as full:
                self.refused(command, "cannot write to standard output: No space left on device", stdout=full)
            result = subprocess.run([QUARL_MAP, *command], stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
                                    close_fds=True, timeout=TIMEOUT, preexec_fn=lambda: os.close(1))
            self.assertEqual(result.returncode, 2, command)
            self.assertIn(b"cannot write to standard output: Bad file descriptor", result.stderr)
        # A reader that has gone: a broken pipe, not a signal.
        reader, writer = os.pipe()
        os.close(reader)
        with os.fdopen(writer, "wb") as pipe:
            self.refused(["cells", self.map], "cannot write to standard output: Broken pipe", stdout=pipe)

    # 7. Long paths are used whole or refused; never cut to another file.
    def test_long_paths(self):
        deep = self.path(*(["d" * 60] * 6))
        os.makedirs(deep)
        name = "m" * 100 + ".map"
        long_map = os.path.join(deep, name)
        self.assertGreater(len(long_map), 300)
        with open(long_map, "wb") as f:
            f.write(make_map(name=b"Long"))
        decoy = long_map[:255]  # where a path cut at 255 characters would lead
        with open(decoy, "wb") as f:
            f.write(make_map(name=b"Decoy"))
        self.assertIn(b'"name": "Long"', run("info", long_map).stdout)

        out = os.path.join(deep, "o" * 100)
        self.assertEqual(run("resave", long_map, out).stdout.strip(), (out + ".map").encode())
        self.assertTrue(os.path.exists(out + ".map"))
        self.assertFalse(os.path.exists(out[:260] + ".map"))

        for path in (self.path("x" * 256 + ".map"), "/" + "d/" * 2100 + "x.map"):
            for command in (["info", path], ["new", path], ["tables", "--write", path]):
                self.refused_leaving_files(command, "File name too long")

    # 8. Usage errors exit 2 with CLI11's message; --help exits 0.
    def test_usage_errors(self):
        cases = [([], "A subcommand is required"), (["info"], "MAP is required"),
                 (["info", self.map, "extra"], "was not expected"), (["frob"], "A subcommand is required"),
                 (["cells", self.map, "x", "0", "1", "1"], "Could not convert"),
                 (["cells", self.map, "0", "0", "1", "1", "1"], "At Most 4"),
                 (["cells", self.map, "0", "0", "1"], "cells takes X Y W H"),
                 (["resave", self.map], "OUT is required"), (["new", ""], "OUT is empty"),
                 (["tables", "--mrdata"], "--mrdata"), (["tables", "--write", ""], "--write names no file"),
                 (["info", "--frob", self.map], "was not expected")]
        for args, message in cases:
            result = self.refused(args, message)
            self.assertIn(b"Run with --help for more information.", result.stderr)
            self.assertEqual(result.stdout, b"")
        self.assertIn(b"Subcommands:", run("--help").stdout)
        self.assertEqual(run("info", "--help").returncode, 0)

    # 9. The editor's message stays, and the system's reason follows it.
    def test_write_failures_name_the_reason(self):
        result = self.refused(["new", self.path("gone", "x")], "No such file or directory")
        lines = result.stderr.decode().splitlines()
        self.assertIn("Error: Unable to open a file descriptor", lines)
        self.assertEqual(lines[-1],
                         "quarl-map: cannot write " + self.path("gone", "x.map") + ": No such file or directory")
        self.write("file", b"")
        self.refused(["new", self.path("file", "x.map")], "Not a directory")
        if os.geteuid() != 0:  # permissions do not stop root
            os.chmod(self.dir, 0o500)
            self.addCleanup(os.chmod, self.dir, 0o700)
            self.refused(["new", self.path("x.map")], "Permission denied")


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
