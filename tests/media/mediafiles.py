"""Strict readers for the media formats the program loads (WAV, ICO/CUR, BMP) and the list of files
the media set must hold. Standard library only: the readers are written from the file formats, not
from the tools that make the files, so they catch a tool that writes something Windows would refuse."""
import os
import struct
import sys
import zlib

SOUNDS = ['KEY1', 'KEY2', 'KEY3', 'KEY4', 'KEY5', 'PONYON', 'POPUPS', 'POPUPL', 'DRAG', 'RMM',
          'STAR', 'PON', 'BOM', 'SYU', 'WWP', 'TEN']
LOOPS = ['DRAG', 'BOM', 'SYU']  # played with SND_LOOP
ICONS = ([f'ICON/KIRA{n}.ICO' for n in range(1, 9)] + [f'ICON/CYUU{n}.ICO' for n in range(1, 5)]
         + [f'DRAGICON/DRGICO{n}.ICO' for n in range(1, 11)] + [f'PMENUICO/PMENU{n}.ICO' for n in range(1, 6)]
         + ['program/mimitap.ico'])
CURSORS = [f'CURSOR/CURSOR{n}.CUR' for n in range(1, 6)]
BITMAP = 'BMP/DIALOG.BMP'
FOLDERS = ['WAV', 'ICON', 'DRAGICON', 'PMENUICO', 'CURSOR', 'BMP', 'program']


def media_dir():
    """The media folder: the first command-line argument (taken off argv for unittest)."""
    if len(sys.argv) < 2:
        sys.exit('usage: test_*.py MEDIA_DIR [unittest options]')
    return sys.argv.pop(1)


class FormatError(Exception):
    pass


def check(cond, message):
    if not cond:
        raise FormatError(message)


class Wave:
    def __init__(self, path):
        with open(path, 'rb') as f:
            data = f.read()
        check(data[:4] == b'RIFF' and data[8:12] == b'WAVE', 'not a RIFF WAVE file')
        check(struct.unpack_from('<I', data, 4)[0] == len(data) - 8, 'RIFF size does not match the file')
        chunks = {}
        pos = 12
        while pos < len(data):
            check(pos + 8 <= len(data), 'truncated chunk header')
            cid, size = struct.unpack_from('<4sI', data, pos)
            check(pos + 8 + size <= len(data), f'chunk {cid!r} runs past the end')
            chunks.setdefault(cid, data[pos + 8:pos + 8 + size])
            pos += 8 + size + (size & 1)
        check(b'fmt ' in chunks and b'data' in chunks, 'fmt or data chunk missing')
        fmt = chunks[b'fmt ']
        check(len(fmt) >= 16, 'fmt chunk too short')
        (self.format, self.channels, self.rate, self.byte_rate, self.block_align,
         self.bits) = struct.unpack_from('<HHIIHH', fmt)
        raw = chunks[b'data']
        check(self.format == 1, f'format tag {self.format}, not PCM')
        check(self.bits == 16 and self.channels == 1, f'{self.bits}-bit {self.channels}-channel, not 16-bit mono')
        check(self.block_align == 2 and self.byte_rate == 2 * self.rate, 'inconsistent block align or byte rate')
        check(len(raw) % 2 == 0 and raw, 'data chunk empty or of an odd size')
        self.samples = struct.unpack(f'<{len(raw) // 2}h', raw)

    @property
    def seconds(self):
        return len(self.samples) / self.rate


PNG_SIGNATURE = b'\x89PNG\r\n\x1a\n'


def png_rgba(data, width, height):
    """The rows (top first) of (r, g, b, a) pixels of a non-interlaced 8-bit RGBA PNG."""
    pos, idat, header = 8, b'', None
    while pos < len(data):
        check(pos + 12 <= len(data), 'truncated PNG chunk')
        length, kind = struct.unpack_from('>I4s', data, pos)
        body = data[pos + 8:pos + 8 + length]
        check(len(body) == length and zlib.crc32(kind + body) == struct.unpack_from('>I', data, pos + 8 + length)[0],
              f'PNG chunk {kind!r} truncated or with a bad CRC')
        if kind == b'IHDR':
            header = struct.unpack('>IIBBBBB', body)
        elif kind == b'IDAT':
            idat += body
        pos += 12 + length
    check(header == (width, height, 8, 6, 0, 0, 0), f'PNG header {header}, not {width}x{height} 8-bit RGBA')
    raw = zlib.decompress(idat)
    stride = 4 * width
    check(len(raw) == height * (stride + 1), 'PNG image data of the wrong size')
    rows, above = [], bytearray(stride)
    for y in range(height):
        kind, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        check(kind <= 4, f'PNG filter {kind}')
        for i in range(stride) if kind else ():
            left = line[i - 4] if i >= 4 else 0
            up, corner = above[i], (above[i - 4] if i >= 4 else 0)
            if kind == 1:
                line[i] = (line[i] + left) & 255
            elif kind == 2:
                line[i] = (line[i] + up) & 255
            elif kind == 3:
                line[i] = (line[i] + (left + up) // 2) & 255
            else:
                p = left + up - corner
                near = min((abs(p - left), 0, left), (abs(p - up), 1, up), (abs(p - corner), 2, corner))[2]
                line[i] = (line[i] + near) & 255
        rows.append([tuple(line[4 * x:4 * x + 4]) for x in range(width)])
        above = line
    return rows


class Frame:
    """One icon or cursor image: its directory entry and its decoded DIB, or its PNG (no mask then)."""

    def __init__(self, width, height, entry, dib):
        self.width, self.height, self.entry = width, height, entry
        self.png = dib[:8] == PNG_SIGNATURE
        if self.png:
            # Windows before Vista reads DIB frames only: PNG is for the 256 frame, which they never take.
            check(width == height == 256, f'{width}x{height} frame stored as PNG')
            self.rgba, self.mask = png_rgba(dib, width, height), None
            return
        (size, w, h2, planes, bits, compression, image_size) = struct.unpack_from('<IiiHHII', dib)
        check(size == 40, f'DIB header of {size} bytes, not BITMAPINFOHEADER')
        check((w, h2) == (width, 2 * height), f'DIB is {w}x{h2}, directory says {width}x{height} (x2)')
        check(planes == 1 and bits == 32 and compression == 0, f'DIB {bits}-bit compression {compression}')
        mask_stride = (width + 31) // 32 * 4
        colour_bytes = 4 * width * height
        check(len(dib) == 40 + colour_bytes + mask_stride * height, 'DIB size is not header + colour + mask')
        check(image_size in (0, colour_bytes + mask_stride * height), 'biSizeImage is wrong')
        # Rows are stored bottom-up; keep them top-down here: rgba[y][x] = (r, g, b, a).
        self.rgba = []
        self.mask = []
        for y in range(height):
            row = height - 1 - y
            colour = dib[40 + row * 4 * width:40 + (row + 1) * 4 * width]
            self.rgba.append([(colour[4 * x + 2], colour[4 * x + 1], colour[4 * x], colour[4 * x + 3])
                              for x in range(width)])
            bits_row = dib[40 + colour_bytes + row * mask_stride:40 + colour_bytes + (row + 1) * mask_stride]
            self.mask.append([(bits_row[x // 8] >> (7 - x % 8)) & 1 for x in range(width)])

    def alpha(self, x, y):
        return self.rgba[y][x][3]


class IconFile:
    def __init__(self, path):
        with open(path, 'rb') as f:
            data = f.read()
        check(len(data) >= 6, 'too short')
        reserved, self.kind, count = struct.unpack_from('<HHH', data)
        check(reserved == 0 and self.kind in (1, 2), 'not an ICO/CUR header')
        check(count > 0 and 6 + 16 * count <= len(data), 'bad image count')
        self.frames = []
        spans = []
        for i in range(count):
            w, h, colours, res, a, b, length, offset = struct.unpack_from('<BBBBHHII', data, 6 + 16 * i)
            w, h = w or 256, h or 256
            check(colours == 0 and res == 0, 'colour count/reserved not zero for a 32-bit frame')
            check(offset >= 6 + 16 * count and offset + length <= len(data), 'frame outside the file')
            spans.append((offset, offset + length))
            entry = {'planes': a, 'bitcount': b} if self.kind == 1 else {'hotspot': (a, b)}
            self.frames.append(Frame(w, h, entry, data[offset:offset + length]))
        spans.sort()
        check(all(e <= s for (_, e), (s, _) in zip(spans, spans[1:])), 'frames overlap')


class Bitmap:
    def __init__(self, path):
        with open(path, 'rb') as f:
            data = f.read()
        check(data[:2] == b'BM', 'not a BMP')
        size, _, offset, header = struct.unpack_from('<IIII', data, 2)
        check(size == len(data), 'file size field is wrong')
        check(header == 40, f'info header of {header} bytes, not BITMAPINFOHEADER')
        w, h, planes, self.bits, compression = struct.unpack_from('<iiHHI', data, 18)
        check(planes == 1 and compression == 0, 'compressed or odd planes')
        check(self.bits == 24, f'{self.bits}-bit, not 24-bit')
        check(w > 0 and h != 0, 'bad dimensions')
        self.width, self.height = w, abs(h)
        stride = (3 * w + 3) // 4 * 4
        check(offset + stride * self.height <= len(data), 'pixel data truncated')
        self.rows = []
        for y in range(self.height):
            row = self.height - 1 - y if h > 0 else y
            raw = data[offset + row * stride:offset + row * stride + 3 * w]
            self.rows.append([(raw[3 * x + 2], raw[3 * x + 1], raw[3 * x]) for x in range(w)])


def path(media, relative):
    return os.path.join(media, *relative.split('/'))
