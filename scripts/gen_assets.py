#!/usr/bin/env python3
"""Draws the program's built-in pictures (busy spinner, login background) into src/platform/resources. Plain Python: no imaging library."""
import math
import os
import struct
import zlib

OUT = os.path.join(os.path.dirname(__file__), "..", "src", "platform", "resources")


def png(path, w, h, pixel):
    rows = b"".join(b"\x00" + b"".join(bytes(pixel(x, y)) for x in range(w)) for y in range(h))

    def chunk(kind, data):
        c = struct.pack(">I", len(data)) + kind + data
        return c + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    data = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0))
    data += chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b"")
    open(path, "wb").write(data)


def lzw_uncompressed(indices):
    # Code size 8: a clear code before every 254 literals keeps all codes 9 bits.
    clear, end = 256, 257
    codes = []
    for i in range(0, len(indices), 254):
        codes.append(clear)
        codes.extend(indices[i:i + 254])
    codes.append(end)
    bits, nbits, out = 0, 0, bytearray()
    for c in codes:
        bits |= c << nbits
        nbits += 9
        while nbits >= 8:
            out.append(bits & 0xFF)
            bits >>= 8
            nbits -= 8
    if nbits:
        out.append(bits & 0xFF)
    blocks = bytearray([8])
    for i in range(0, len(out), 255):
        part = out[i:i + 255]
        blocks += bytes([len(part)]) + part
    return bytes(blocks + b"\x00")


def gif(path, w, h, palette, frames, delay_cs):
    pal = b"".join(bytes(c) for c in palette) + b"\x00\x00\x00" * (256 - len(palette))
    data = b"GIF89a" + struct.pack("<HHBBB", w, h, 0xF7, 0, 0) + pal
    data += b"\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00"  # loop for ever
    for f in frames:
        data += b"\x21\xF9\x04" + struct.pack("<BHBB", 0x09, delay_cs, 0, 0)  # transparent 0
        data += b"\x2C" + struct.pack("<HHHHB", 0, 0, w, h, 0) + lzw_uncompressed(f)
    open(path, "wb").write(data + b"\x3B")


def spinner():
    w = h = 28
    palette = [(255, 255, 255)] + [(int(0 + 255 * (1 - a)), int(52 + 203 * (1 - a)), int(120 + 135 * (1 - a)))
                                   for a in [i / 7 for i in range(8)]]
    frames = []
    for step in range(8):
        f = []
        for y in range(h):
            for x in range(w):
                idx = 0
                for k in range(8):
                    ang = 2 * math.pi * k / 8
                    cx, cy = 14 + 9 * math.cos(ang), 14 + 9 * math.sin(ang)
                    if (x - cx) ** 2 + (y - cy) ** 2 <= 7:
                        shade = (k - step) % 8  # 7 = darkest, leading dot
                        idx = 1 + shade
                f.append(idx)
        frames.append(f)
    gif(os.path.join(OUT, "bekleme.gif"), w, h, palette, frames, 10)


def background():
    def px(x, y):
        t = y / 359
        r = int(236 - 40 * t)
        g = int(240 - 30 * t)
        b = int(248 - 10 * t)
        if y > 320 and (x + y) % 40 < 20:
            r, g, b = r - 8, g - 8, b - 4
        return (r, g, b, 255)
    png(os.path.join(OUT, "giris_arka.png"), 600, 360, px)


if __name__ == "__main__":
    os.makedirs(OUT, exist_ok=True)
    spinner()
    background()
