#!/usr/bin/env python3
"""Writes the mrdata.dat fixtures of the core tests with Python's struct,
independently of the program's own writer. Run from this folder."""
import struct

ANIM = 0x10000
NONE = 0xFFFFFFFF

MIRROR = [
    (8, 10, 8, 10),
    (46, 47, 48, 49),
    (ANIM | 235, ANIM | 235, ANIM | 237, ANIM | 237),
]
ROTATE = [
    (8, 50, 10, 9),
    (3999, NONE, ANIM | 255, 0),
]


def table(entries, count=None):
    data = b"".join(struct.pack("<4I", *e) for e in entries)
    return struct.pack("<H", len(data) if count is None else count) + data


def write(name, data):
    with open(name, "wb") as f:
        f.write(data)


sample = table(MIRROR) + table(ROTATE)
write("sample.dat", sample)
# The same tables followed by the rest of an older, longer file.
write("sample_with_tail.dat", sample + table(ROTATE)[2:] + b"\x5a" * 7)
# An entry whose slot 0 is the end mark ends the mirror table there.
write("end_entry_inside.dat",
      table(MIRROR[:1] + [(NONE, 1, 2, 3)] + MIRROR[1:]) + table(ROTATE))
write("full_tables.dat",
      table([(i, i + 1, i + 2, ANIM | i) for i in range(511)]) +
      table([(i, 0, 0, 0) for i in range(511)]))

# Damaged files (a file cut short is made by the test from sample.dat).
write("count_not_multiple_of_16.dat", table(MIRROR, count=47) + table(ROTATE))
write("too_many_entries.dat", table([(i, 0, 0, 0) for i in range(512)]) + table(ROTATE))
