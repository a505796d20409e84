#!/usr/bin/env python3
"""Writes the .map fixtures in tests/data/maps/ from the layout alone, with
Python's struct and zlib. With --check FILE SEED it inflates the cells of a
map the editor wrote and compares them with pattern SEED (exit 0: the same).
Word i of pattern SEED is pattern_word(i, SEED); the C++ tests compute it too.
"""
import os
import struct
import sys
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "maps")
CELLS = 65536


def pattern_word(i, seed):
    h = (i * 2654435761 + seed * 40503) & 0xFFFFFFFF
    h ^= h >> 15
    if h % 32 < 26:
        return 280  # blank floor, as most of a real map
    if h % 32 < 30:
        return (h >> 5) % 1200
    return 0x8000 | ((h >> 16) & 0x7F) << 8 | (h >> 8) & 0xFF


def cell_block(seed):
    return struct.pack("<%dH" % CELLS, *(pattern_word(i, seed) for i in range(CELLS)))


def header(version=3, team_count=2, flags=(1, 0, 0, 0), poles=None, name=b"Fixture",
           description=b"made by make_map_fixtures.py", neutral=0, extra=b"",
           header_length=None, game_type=1, popup=7, switch=0):
    """magic .. neutralFlagCount. extra goes between the description and
    the neutral flag byte (a padded header)."""
    if poles is None:
        poles = [[0]] + [[] for _ in range(team_count - 1)]
    body = struct.pack("<BHHBBBBBBBBBBHBB", version, 256, 256, 40, 15, team_count, game_type,
                       1, 3, 4, 1, 0, 1, popup, 9, switch)
    body += bytes(flags[:team_count]) + bytes(len(p) for p in poles[:team_count])
    body += b"".join(bytes(p) for p in poles[:team_count])
    body += struct.pack("<H", len(name)) + name
    body += struct.pack("<H", len(description)) + description
    body += extra + bytes([neutral])
    # headerLength counts the bytes after magic: itself, the fields, the neutral byte.
    length = 2 + len(body) if header_length is None else header_length
    return struct.pack("<HH", 0x4278, length) + body


def write(name, data):
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(data)


def make_all():
    os.makedirs(OUT, exist_ok=True)
    write("level1.map", header() + zlib.compress(cell_block(1), 1))
    write("level6.map", header(flags=(2, 1, 0, 0), poles=[[0, 1], [1, 0]], neutral=2)
          + zlib.compress(cell_block(2), 6))
    write("raw_v1.map", header(version=1) + cell_block(3))
    write("v0.map", header(version=0) + zlib.compress(cell_block(4), 6))
    write("v2.map", header(version=2) + zlib.compress(cell_block(5), 6))
    # Seven extra header bytes that the loader must skip.
    write("padded.map", header(extra=b"PADDING", neutral=5) + zlib.compress(cell_block(6), 6))
    # Version 4 with raw cells: read raw once the user says Yes.
    write("v4.map", header(version=4) + cell_block(7))
    write("teams3.map", header(team_count=3, flags=(1, 2, 0), poles=[[0, 4], [1], [2, 0, 1]],
                               neutral=1) + zlib.compress(cell_block(8), 9))
    write("empty_name.map", header(name=b"", description=b"") + zlib.compress(cell_block(10), 6))
    write("teams5.map", header(team_count=4)[:11] + bytes([5]) + b"\0" * 40
          + zlib.compress(cell_block(11), 6))

    full = header() + zlib.compress(cell_block(12), 6)
    # Cut right after teamCount (offset 11): gameType onwards keep new-map values.
    write("truncated_header.map", full[:12])
    # Cut in the middle of the name.
    write("truncated_name.map", full[:35])
    # headerLength far beyond the end of the file.
    write("header_beyond_file.map", header(header_length=60000) + zlib.compress(cell_block(12), 6))

    raw = header(version=1) + cell_block(13)
    # 1000 whole cell words and one odd byte.
    write("truncated_raw_cells.map", raw[:len(header(version=1)) + 2001])

    stream = zlib.compress(cell_block(14), 6)
    write("truncated_zlib.map", header() + stream[:len(stream) // 2])
    broken = bytearray(stream)
    for k in range(len(broken) // 2, len(broken) // 2 + 64):
        broken[k] ^= 0x5A
    write("broken_zlib.map", header() + bytes(broken))
    # All the cells, but the stream's checksum is wrong.
    bad = bytearray(stream)
    bad[-1] ^= 0xFF
    write("bad_checksum.map", header() + bytes(bad))
    # A stream holding 100 bytes more than a map's cells.
    write("long_zlib.map", header() + zlib.compress(cell_block(16) + bytes(100), 6))
    # A complete stream that inflates to only 3000 bytes (1500 cells).
    write("short_zlib.map", header() + zlib.compress(cell_block(15)[:3000], 6))
    # A document's header as the saver must write it (see the C++ test).
    write("saved_header_expected.bin",
          header(version=3, team_count=3, flags=(1, 2, 0), poles=[[0, 4], [1], [2, 0, 1]],
                 name=b"Arena", description=b"Three teams", neutral=3, game_type=1))


def check(path, seed):
    data = open(path, "rb").read()
    magic, length, version = struct.unpack_from("<HHB", data, 0)
    cells = zlib.decompress(data[length + 2:])
    expected = cell_block(seed)
    if magic != 0x4278 or version != 3 or cells != expected:
        print("magic %#x version %d, %d cell bytes; first difference at byte %d" % (
            magic, version, len(cells), next((i for i, (a, b) in enumerate(zip(cells, expected)) if a != b), -1)))
        return 1
    return 0


if __name__ == "__main__":
    if len(sys.argv) == 4 and sys.argv[1] == "--check":
        sys.exit(check(sys.argv[2], int(sys.argv[3])))
    make_all()
