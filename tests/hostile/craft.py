# Makes the damaged and crafted entries of the damaged-entry matrix from a default entry.
# Usage: craft.py KIND SOURCE OUTPUT   (KIND: random, frame, noorders, huge)
#   random    random bytes of the source's length, the same for the same source name
#   frame     the first MPEG audio frame of the source alone
#   noorders  the source tracker module (XM) with an order list of length 0
#   huge      the source JPEG with its frame header declaring 60000x60000 pixels
import random
import struct
import sys

kind, source, output = sys.argv[1:4]
data = open(source, "rb").read()


def first_mpeg_frame(b):
    at = 0
    if b[:3] == b"ID3":  # an ID3v2 tag: its size is 4 x 7 bits
        at = 10 + ((b[6] & 127) << 21 | (b[7] & 127) << 14 | (b[8] & 127) << 7 | (b[9] & 127))
    while at + 4 <= len(b) and not (b[at] == 0xFF and b[at + 1] & 0xE0 == 0xE0):
        at += 1
    h = b[at:at + 4]
    version = (h[1] >> 3) & 3  # 3: MPEG-1, 2: MPEG-2, 0: MPEG-2.5
    layer = 4 - ((h[1] >> 1) & 3)
    rates = {3: (44100, 48000, 32000), 2: (22050, 24000, 16000), 0: (11025, 12000, 8000)}[version]
    bitrates1 = {1: [0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448],
                 2: [0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384],
                 3: [0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320]}
    bitrates2 = [0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160]
    kbps = (bitrates1[layer] if version == 3 else bitrates2)[h[2] >> 4]
    rate = rates[(h[2] >> 2) & 3]
    padding = (h[2] >> 1) & 1
    if layer == 1:
        length = (12 * kbps * 1000 // rate + padding) * 4
    else:
        length = (144 if version == 3 or layer == 2 else 72) * kbps * 1000 // rate + padding
    return b[at:at + length]


if kind == "random":
    out = random.Random(source.rsplit("/files/", 1)[-1]).randbytes(len(data))
elif kind == "frame":
    out = first_mpeg_frame(data)
elif kind == "noorders":
    # XM header: "Extended Module: ", name, 0x1A, tracker, version, header size at 60; song
    # length (the number of orders) is the first field after it.
    if not data.startswith(b"Extended Module: "):
        sys.exit(f"{source} is no XM module")
    out = bytearray(data)
    struct.pack_into("<H", out, 64, 0)
    out = bytes(out)
elif kind == "huge":
    out = bytearray(data)
    at = 2
    while at + 9 < len(out):
        marker = out[at + 1]
        if out[at] == 0xFF and 0xC0 <= marker <= 0xCF and marker not in (0xC4, 0xC8, 0xCC):
            struct.pack_into(">HH", out, at + 5, 60000, 60000)  # height, width
            break
        at += 2 + struct.unpack_from(">H", out, at + 2)[0]
    else:
        sys.exit(f"{source} has no JPEG frame header")
    out = bytes(out)
else:
    sys.exit(f"unknown kind {kind}")
open(output, "wb").write(out)
