"""Screen images: read the Xvfb framebuffer (XWD), driver screenshots (BMP) and X root grabs (PPM),
inspect pixels, write PNG. Pure standard library."""

import struct
import zlib
from pathlib import Path


class Image:
    """An RGB image, rows top to bottom, three bytes per pixel."""

    def __init__(self, width, height, rgb):
        if len(rgb) != width * height * 3:
            raise ValueError("pixel data does not match the size")
        self.width = width
        self.height = height
        self.rgb = bytes(rgb)

    # --- reading -------------------------------------------------------------------------
    @classmethod
    def from_bgrx(cls, width, height, data, stride=None, top_down=True, depth=4):
        """Little-endian pixels of `depth` bytes (B, G, R and, with 4, unused), as X servers and DIBs
        store them."""
        stride = stride or width * depth
        if stride == width * depth and top_down:
            packed = memoryview(data)[: width * height * depth]
        else:
            rows = [data[y * stride: y * stride + width * depth] for y in range(height)]
            if not top_down:
                rows.reverse()
            packed = memoryview(b"".join(rows))
        rgb = bytearray(width * height * 3)
        rgb[0::3] = packed[2::depth]
        rgb[1::3] = packed[1::depth]
        rgb[2::3] = packed[0::depth]
        return cls(width, height, rgb)

    @classmethod
    def from_xwd(cls, data):
        """An X window dump, e.g. the file Xvfb keeps its screen in with -fbdir."""
        fields = struct.unpack(">25I", data[:100])
        header_size, _, _, _, width, height = fields[:6]
        byte_order, bits_per_pixel, bytes_per_line = fields[7], fields[11], fields[12]
        ncolors = fields[19]
        if bits_per_pixel != 32 or byte_order != 0:
            raise ValueError(f"unsupported XWD layout ({bits_per_pixel} bpp, byte order {byte_order})")
        offset = header_size + ncolors * 12
        return cls.from_bgrx(width, height, data[offset: offset + bytes_per_line * height], bytes_per_line)

    @classmethod
    def from_bmp(cls, data):
        """A 24- or 32-bit uncompressed BMP (what the driver writes)."""
        if data[:2] != b"BM":
            raise ValueError("not a BMP file")
        offset = struct.unpack_from("<I", data, 10)[0]
        width, height, _, bpp, compression = struct.unpack_from("<iiHHI", data, 18)
        if compression not in (0, 3) or bpp not in (24, 32):
            raise ValueError(f"unsupported BMP ({bpp} bpp, compression {compression})")
        top_down = height < 0
        height = abs(height)
        stride = (width * bpp // 8 + 3) & ~3
        return cls.from_bgrx(width, height, data[offset: offset + stride * height], stride, top_down, bpp // 8)

    @classmethod
    def from_ppm(cls, data):
        """A binary PPM (P6) with 8-bit samples, as `import ... ppm:-` writes it."""
        fields = []
        at = 0
        while len(fields) < 4:
            while data[at:at + 1].isspace():
                at += 1
            if data[at:at + 1] == b"#":
                at = data.index(b"\n", at)
                continue
            end = at
            while not data[end:end + 1].isspace():
                end += 1
            fields.append(data[at:end])
            at = end
        magic, width, height, maxval = fields[0], int(fields[1]), int(fields[2]), int(fields[3])
        if magic != b"P6" or maxval != 255:
            raise ValueError(f"unsupported PPM ({magic!r}, maximum {maxval})")
        at += 1  # the single whitespace after the header
        return cls(width, height, data[at: at + width * height * 3])

    @classmethod
    def load(cls, path):
        data = Path(path).read_bytes()
        if data[:2] == b"BM":
            return cls.from_bmp(data)
        return cls.from_xwd(data)

    # --- looking -------------------------------------------------------------------------
    def pixel(self, x, y):
        if not (0 <= x < self.width and 0 <= y < self.height):
            raise IndexError(f"({x}, {y}) is outside {self.width}x{self.height}")
        i = (y * self.width + x) * 3
        return tuple(self.rgb[i: i + 3])

    def crop(self, left, top, width, height):
        left, top = max(0, left), max(0, top)
        width = min(width, self.width - left)
        height = min(height, self.height - top)
        rows = [self.rgb[((top + y) * self.width + left) * 3: ((top + y) * self.width + left + width) * 3]
                for y in range(height)]
        return Image(width, height, b"".join(rows))

    def crop_rect(self, rect):
        """rect is (left, top, right, bottom), as the driver reports window rectangles."""
        left, top, right, bottom = rect
        return self.crop(left, top, right - left, bottom - top)

    def colours(self):
        """How many pixels have each colour: {(r, g, b): count}."""
        counts = {}
        rgb = self.rgb
        for i in range(0, len(rgb), 3):
            key = rgb[i: i + 3]
            counts[key] = counts.get(key, 0) + 1
        return {tuple(k): v for k, v in counts.items()}

    def count(self, colour):
        """Pixels of exactly this colour."""
        target = bytes(colour)
        rgb = self.rgb
        n = 0
        start = rgb.find(target)
        while start != -1:
            if start % 3 == 0:
                n += 1
                start = rgb.find(target, start + 3)
            else:
                start = rgb.find(target, start + 1)
        return n

    def bounding_box(self, predicate):
        """(left, top, right, bottom) of the pixels for which predicate((r, g, b)) holds, or None."""
        left, top, right, bottom = self.width, self.height, -1, -1
        for y in range(self.height):
            row = self.rgb[y * self.width * 3: (y + 1) * self.width * 3]
            for x in range(self.width):
                if predicate(tuple(row[x * 3: x * 3 + 3])):
                    left, right = min(left, x), max(right, x)
                    top, bottom = min(top, y), max(bottom, y)
        return None if right < 0 else (left, top, right + 1, bottom + 1)

    def differs_from(self, other):
        """Number of pixels that differ (images of the same size)."""
        if (self.width, self.height) != (other.width, other.height):
            raise ValueError("images differ in size")
        a, b = self.rgb, other.rgb
        if a == b:
            return 0
        return sum(1 for i in range(0, len(a), 3) if a[i: i + 3] != b[i: i + 3])

    # --- writing -------------------------------------------------------------------------
    def png_bytes(self):
        stride = self.width * 3
        raw = b"".join(b"\x00" + self.rgb[y * stride: (y + 1) * stride] for y in range(self.height))

        def chunk(kind, payload):
            body = kind + payload
            return struct.pack(">I", len(payload)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

        header = struct.pack(">IIBBBBB", self.width, self.height, 8, 2, 0, 0, 0)
        return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 6))
                + chunk(b"IEND", b""))

    def save_png(self, path):
        Path(path).parent.mkdir(parents=True, exist_ok=True)
        Path(path).write_bytes(self.png_bytes())
        return Path(path)
