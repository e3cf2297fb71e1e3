#!/usr/bin/env python3
"""Reads the lists of a current-layout (-7) catalogue file and nothing after them, as a program that
knows only that layout does, and prints one JSON object: the albums (each its 111 texts in list
order) and what follows the lists (its length and first four bytes). Written apart from Discora's
own reader, from the description in docs/file-format.md."""
import json
import struct
import sys

LISTS = 111


class Reader:
    def __init__(self, data):
        self.data = data
        self.pos = 0

    def take(self, n):
        if self.pos + n > len(self.data):
            raise ValueError("the file ends at byte %d" % len(self.data))
        chunk = self.data[self.pos:self.pos + n]
        self.pos += n
        return chunk

    def u8(self):
        return self.take(1)[0]

    def u16(self):
        return struct.unpack("<H", self.take(2))[0]

    def u32(self):
        return struct.unpack("<I", self.take(4))[0]

    def length(self):
        n = self.u8()
        if n < 0xFF:
            return n
        n = self.u16()
        return n if n < 0xFFFF else self.u32()

    def text(self):
        n = self.u8()
        if n < 0xFF:
            return decode_1252(self.take(n))
        n = self.u16()
        if n < 0xFFFE:
            return decode_1252(self.take(n))
        if n == 0xFFFF:
            return decode_1252(self.take(self.u32()))
        units = self.length()
        return self.take(units * 2).decode("utf-16-le")

    def count(self):
        n = self.u16()
        return n if n < 0xFFFF else self.u32()


def decode_1252(raw):
    # The five bytes Windows-1252 leaves undefined stand for the control characters of their value.
    return "".join(bytes([b]).decode("cp1252", errors="replace") if b not in (0x81, 0x8D, 0x8F, 0x90, 0x9D)
                   else chr(b) for b in raw)


def main(path):
    with open(path, "rb") as f:
        r = Reader(f.read())
    version = struct.unpack("<i", r.take(4))[0]
    if version != -7:
        raise SystemExit("not a current-layout catalogue (version %d)" % version)
    albums = r.u32()
    r.take(4 * (80 + 33 + 37 + 4))
    r.text()
    r.text()
    lists = []
    for _ in range(LISTS):
        lists.append([r.text() for _ in range(r.count())])
    texts = [[lists[k][a] if a < len(lists[k]) else "" for k in range(LISTS)] for a in range(albums)]
    rest = r.data[r.pos:]
    json.dump({"albums": texts, "after_lists": {"bytes": len(rest), "starts": rest[:4].decode("latin-1")}},
              sys.stdout, ensure_ascii=False)


if __name__ == "__main__":
    main(sys.argv[1])
