#!/usr/bin/env python3
"""Packs rendered frames into a Windows .ico or .cur file.

usage: pack_icon.py OUT.ico SIZE=FRAME.rgba|FRAME.png...
       pack_icon.py OUT.cur --hotspot X,Y SIZE=FRAME.rgba

Each FRAME.rgba is a square raw 8-bit RGBA image (straight alpha, top row first), as ImageMagick writes
with "RGBA:". Frames are stored in the order given, each as an uncompressed 32-bit DIB followed by its
1-bit AND mask: every version of LoadImage reads that, unlike PNG frames. The mask is set where the
pixel is mostly transparent, so a display without alpha blending still shows the right shape.
A FRAME.png (only for the 256 frame, which Windows Vista and later expect as PNG) is stored as it is.
"""
import os
import struct
import sys


def dib(size, rgba):
    if len(rgba) != size * size * 4:
        sys.exit(f"frame of {len(rgba)} bytes is not {size}x{size} RGBA")
    rows = [rgba[y * size * 4:(y + 1) * size * 4] for y in range(size)]
    colour = bytearray()
    mask = bytearray()
    mask_row_bytes = (size + 31) // 32 * 4
    for row in reversed(rows):  # DIBs are stored bottom row first
        bits = bytearray(mask_row_bytes)
        for x in range(size):
            r, g, b, a = row[4 * x:4 * x + 4]
            if a == 0:
                r = g = b = 0  # a clean colour under a set mask bit leaves the screen unchanged
            colour += bytes((b, g, r, a))
            if a < 128:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack('<IiiHHIIiiII', 40, size, 2 * size, 1, 32, 0, len(colour) + len(mask), 0, 0, 0, 0)
    return header + bytes(colour) + bytes(mask)


def png(size, data):
    if data[:8] != b'\x89PNG\r\n\x1a\n' or data[12:16] != b'IHDR':
        sys.exit('frame is not a PNG')
    width, height, depth, colour = struct.unpack_from('>IIBB', data, 16)
    if size != 256 or (width, height, depth, colour) != (size, size, 8, 6):
        sys.exit(f'PNG frame is {width}x{height} depth {depth} colour type {colour}, not 256x256 8-bit RGBA')
    return data


def main(argv):
    if len(argv) < 2:
        sys.exit(__doc__)
    out, args = argv[0], argv[1:]
    hotspot = None
    if args[0] == '--hotspot':
        hotspot = tuple(int(v) for v in args[1].split(','))
        args = args[2:]
    frames = []
    for spec in args:
        size, path = spec.split('=', 1)
        with open(path, 'rb') as f:
            encode = png if path.endswith('.png') else dib
            frames.append((int(size), encode(int(size), f.read())))

    kind = 2 if hotspot else 1
    data = struct.pack('<HHH', 0, kind, len(frames))
    offset = 6 + 16 * len(frames)
    for size, image in frames:
        planes_or_x, bits_or_y = hotspot if hotspot else (1, 32)
        data += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, planes_or_x, bits_or_y, len(image), offset)
        offset += len(image)
    data += b''.join(image for _, image in frames)

    with open(out + '.part', 'wb') as f:
        f.write(data)
    os.replace(out + '.part', out)


if __name__ == '__main__':
    main(sys.argv[1:])
