# Checks that an AVI file was finished: the RIFF length matches the file, the top-level chunks
# fill it exactly, and the index (idx1) follows the movie list. Exit 1 with the reason otherwise.
import os
import struct
import sys

path = sys.argv[1]


def bad(reason):
    print(f"{path}: {reason}")
    sys.exit(1)


size = os.path.getsize(path)
with open(path, "rb") as f:
    head = f.read(12)
    if len(head) < 12 or head[0:4] != b"RIFF" or head[8:12] != b"AVI ":
        bad("no RIFF AVI header")
    riff = struct.unpack_from("<I", head, 4)[0]
    if riff + 8 != size:
        bad(f"RIFF length {riff + 8} but the file has {size} bytes")
    at, seen = 12, []
    while at < size:
        f.seek(at)
        chunk = f.read(12)
        if len(chunk) < 8:
            bad("a chunk header runs past the end")
        tag, length = chunk[0:4], struct.unpack_from("<I", chunk, 4)[0]
        seen.append(tag + (chunk[8:12] if tag == b"LIST" else b""))
        at += 8 + length + (length & 1)
    if at != size:
        bad("the chunks do not fill the file")
    if b"LISTmovi" not in seen or b"idx1" not in seen or seen.index(b"idx1") < seen.index(b"LISTmovi"):
        bad("no index after the movie list")
