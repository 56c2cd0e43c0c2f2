#!/usr/bin/env python3
"""Draws the frames and backdrops of share/Bin/Frame and writes frame.dat.

Frames are 340 x 260 with a 20-pixel border around a transparent inside, so a
300 x 220 picture fills the inside exactly; backdrops have no transparency and
are stretched under the picture. The frames' transparent entry is the first
key colour (8, 255, 8), which no other entry has. Run from the repository's root:
    python3 scripts/make-frame-images.py
"""
import math
import os
import random
import struct
import zlib

OUT = os.path.join("share", "Bin", "Frame")
W, H, B = 340, 260, 20


def lzw(indices, min_code_size):
    """GIF LZW compression of a list of palette indices."""
    clear = 1 << min_code_size
    end = clear + 1
    out = bytearray()
    bit_buffer = 0
    bit_count = 0
    code_size = min_code_size + 1

    def put(code):
        nonlocal bit_buffer, bit_count
        bit_buffer |= code << bit_count
        bit_count += code_size
        while bit_count >= 8:
            out.append(bit_buffer & 0xFF)
            bit_buffer >>= 8
            bit_count -= 8

    table = {bytes([i]): i for i in range(clear)}
    next_code = end + 1
    put(clear)
    prefix = b""
    for index in indices:
        candidate = prefix + bytes([index])
        if candidate in table:
            prefix = candidate
            continue
        put(table[prefix])
        if next_code < 4096:
            table[candidate] = next_code
            next_code += 1
            if next_code > (1 << code_size) and code_size < 12:
                code_size += 1
        else:
            put(clear)
            table = {bytes([i]): i for i in range(clear)}
            next_code = end + 1
            code_size = min_code_size + 1
        prefix = bytes([index])
    if prefix:
        put(table[prefix])
    put(end)
    if bit_count:
        out.append(bit_buffer & 0xFF)
    return bytes(out)


def write_gif(name, width, height, palette, pixels, transparent=None):
    bits = max(1, (len(palette) - 1).bit_length())
    size = 1 << bits
    palette = palette + [(0, 0, 0)] * (size - len(palette))
    data = bytearray(b"GIF89a")
    data += struct.pack("<HHBBB", width, height, 0x80 | ((bits - 1) << 4) | (bits - 1), 0, 0)
    for r, g, b in palette:
        data += bytes([r, g, b])
    if transparent is not None:
        data += bytes([0x21, 0xF9, 4, 0x01, 0, 0, transparent, 0])
    data += struct.pack("<BHHHHB", 0x2C, 0, 0, width, height, 0)
    code_size = max(2, bits)
    compressed = lzw(pixels, code_size)
    data.append(code_size)
    for at in range(0, len(compressed), 255):
        block = compressed[at:at + 255]
        data.append(len(block))
        data += block
    data += b"\x00\x3B"
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(data)


def write_png(name, width, height, rgb_at):
    raw = bytearray()
    for y in range(height):
        raw.append(0)
        for x in range(width):
            raw += bytes(rgb_at(x, y))

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF)

    data = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
    data += chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b"")
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(data)


def ramp(a, b, steps):
    return [tuple(round(a[i] + (b[i] - a[i]) * k / (steps - 1)) for i in range(3)) for k in range(steps)]


def frame_wood():
    # Index 0 transparent; 1..32 a ramp of browns; 33 dark edge; 34 light edge.
    palette = [(8, 255, 8)] + ramp((92, 52, 24), (196, 136, 72), 32) + [(48, 26, 10), (238, 206, 150)]
    random.seed(7)
    phase = [random.uniform(0, 6.3) for _ in range(8)]
    pixels = []
    for y in range(H):
        for x in range(W):
            inside = B <= x < W - B and B <= y < H - B
            if inside:
                pixels.append(0)
                continue
            d = min(x, y, W - 1 - x, H - 1 - y)
            if d == 0 or d == B - 1:
                pixels.append(33 if d == 0 else 34)
                continue
            if d == 1:
                pixels.append(34)
                continue
            # Grain runs along the side the pixel belongs to.
            along, across = (x, y) if min(y, H - 1 - y) <= min(x, W - 1 - x) else (y, x)
            grain = math.sin(across * 0.9 + math.sin(along * 0.05 + phase[across % 8]) * 2.5)
            shade = 0.55 + 0.3 * grain + 0.15 * math.sin(along * 0.013)
            pixels.append(1 + max(0, min(31, int(shade * 31))))
    write_gif("frame_wood.gif", W, H, palette, pixels, transparent=0)


def frame_round():
    # A rounded gold frame with pearls; outside the rounded corners transparent too.
    palette = [(8, 255, 8)] + ramp((150, 110, 20), (255, 230, 120), 24) + [(250, 250, 245), (200, 196, 188)]
    radius = 34
    pixels = []

    def corner_distance(x, y):
        cx = min(max(x, radius), W - 1 - radius)
        cy = min(max(y, radius), H - 1 - radius)
        return math.hypot(x - cx, y - cy)

    for y in range(H):
        for x in range(W):
            out = corner_distance(x, y) > radius
            inner_x = min(max(x, B + 10), W - 1 - B - 10)
            inner_y = min(max(y, B + 10), H - 1 - B - 10)
            hole = math.hypot(x - inner_x, y - inner_y) < 10 and B <= x < W - B and B <= y < H - B
            if out or hole:
                pixels.append(0)
                continue
            edge = radius - corner_distance(x, y)
            light = 0.5 + 0.5 * math.cos(min(edge, 20) / 20 * math.pi)
            index = 1 + int((1 - light) * 23)
            # Pearls along the middle of the border.
            mx = x if B // 2 < x < W - B // 2 else None
            on_line = abs(min(y, H - 1 - y) - B // 2) <= 4 or abs(min(x, W - 1 - x) - B // 2) <= 4
            if on_line and (x + y) % 16 < 5 and (mx is None or True):
                index = 25 if (x + y) % 16 < 3 else 26
            pixels.append(index)
    write_gif("frame_round.gif", W, H, palette, pixels, transparent=0)


def frame_film():
    palette = [(8, 255, 8), (16, 16, 16), (236, 236, 228), (70, 70, 70)]
    pixels = []
    for y in range(H):
        for x in range(W):
            if B <= x < W - B and B <= y < H - B:
                pixels.append(0)
                continue
            band = min(y, H - 1 - y)
            hole = 6 <= band < 14 and (x % 24) in range(6, 18)
            if hole:
                pixels.append(2)
            elif x in (B - 1, W - B) or y in (B - 1, H - B):
                pixels.append(3)
            else:
                pixels.append(1)
    write_gif("frame_film.gif", W, H, palette, pixels, transparent=0)


def back_sky():
    w, h = 240, 180
    palette = ramp((40, 110, 200), (210, 232, 250), 48) + [(255, 255, 255), (236, 242, 250)]
    random.seed(3)
    clouds = [(random.randint(0, w), random.randint(10, h - 40), random.randint(18, 34)) for _ in range(7)]
    pixels = []
    for y in range(h):
        for x in range(w):
            reach = [((x - cx) / (r * 1.8)) ** 2 + ((y - cy) / r) ** 2 for cx, cy, r in clouds]
            cloud = min(reach) < 1
            # The outline only where no other cloud covers the pixel.
            edge = cloud and min(reach) > 0.8
            if cloud:
                pixels.append(49 if edge else 48)
            else:
                pixels.append(min(47, y * 48 // h))
    write_gif("back_sky.gif", w, h, palette, pixels)


def back_dots():
    w, h = 200, 160
    palette = [(255, 240, 245), (250, 180, 200), (180, 220, 250), (200, 240, 190)]
    pixels = []
    for y in range(h):
        for x in range(w):
            row = y // 20
            cx = (x + (10 if row % 2 else 0)) % 20 - 10
            cy = y % 20 - 10
            pixels.append(1 + (row + (x + (10 if row % 2 else 0)) // 20) % 3 if cx * cx + cy * cy < 30 else 0)
    write_gif("back_dots.gif", w, h, palette, pixels)


def back_wave():
    def colour(x, y):
        t = 0.5 + 0.5 * math.sin(x * 0.06 + math.sin(y * 0.045) * 2.2)
        u = y / 179
        return (int(60 + 40 * t + 30 * u), int(150 + 60 * t), int(120 + 90 * (1 - u) * t))

    write_png("back_wave.png", 240, 180, colour)


def main():
    os.makedirs(OUT, exist_ok=True)
    frame_wood()
    frame_round()
    frame_film()
    back_sky()
    back_dots()
    back_wave()
    with open(os.path.join(OUT, "frame.dat"), "wb") as f:
        f.write(b"frame_wood.gif;\r\nframe_round.gif;\r\nframe_film.gif;\r\n")


if __name__ == "__main__":
    main()
