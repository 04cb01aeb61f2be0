"""Screenshots and pictures as RGB pixel grids, decoded with the standard library."""
import struct
import subprocess
import zlib


class Image:
    def __init__(self, width, height, rgb):
        self.width = width
        self.height = height
        self.rgb = rgb  # bytes, 3 per pixel, top row first

    def pixel(self, x, y):
        at = 3 * (y * self.width + x)
        return tuple(self.rgb[at:at + 3])

    def scaled_to(self, width, height):
        """Nearest-neighbour resample, to compare a 640x480 picture with a bigger screen."""
        rows = []
        for y in range(height):
            source_y = y * self.height // height
            row = bytearray()
            for x in range(width):
                at = 3 * (source_y * self.width + x * self.width // width)
                row += self.rgb[at:at + 3]
            rows.append(bytes(row))
        return Image(width, height, b"".join(rows))


def screenshot(env, path=None):
    """The whole X screen, decoded; kept as a PNG at path when one is given."""
    ppm = subprocess.run(["import", "-window", "root", "-depth", "8", "ppm:-"], env=env, check=True,
                         capture_output=True, timeout=20).stdout
    image = read_ppm(ppm)
    if path is not None:
        write_png(image, path)
    return image


def read_ppm(data):
    """A binary 8-bit PPM (P6)."""
    fields, at = [], 0
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
    if fields[0] != b"P6" or fields[3] != b"255":
        raise ValueError("not an 8-bit binary PPM")
    width, height = int(fields[1]), int(fields[2])
    at += 1
    return Image(width, height, bytes(data[at:at + 3 * width * height]))


def write_png(image, path):
    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body +
                struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))
    stride = 3 * image.width
    raw = b"".join(b"\0" + image.rgb[y * stride:(y + 1) * stride] for y in range(image.height))
    header = struct.pack(">IIBBBBB", image.width, image.height, 8, 2, 0, 0, 0)
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
                  chunk(b"IDAT", zlib.compress(raw, 1)) + chunk(b"IEND", b""))


def _paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def _unfilter(kind, line, previous, bpp):
    out = bytearray(line)
    for i in range(len(out)):
        left = out[i - bpp] if i >= bpp else 0
        up = previous[i]
        corner = previous[i - bpp] if i >= bpp else 0
        if kind == 1:
            out[i] = (out[i] + left) & 0xFF
        elif kind == 2:
            out[i] = (out[i] + up) & 0xFF
        elif kind == 3:
            out[i] = (out[i] + ((left + up) >> 1)) & 0xFF
        elif kind == 4:
            out[i] = (out[i] + _paeth(left, up, corner)) & 0xFF
        elif kind != 0:
            raise ValueError("bad PNG filter %d" % kind)
    return out


def read_png(path):
    """8-bit RGB or RGBA, non-interlaced PNGs (what import writes)."""
    data = open(path, "rb").read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("%s is not a PNG" % path)
    at, chunks = 8, []
    width = height = colour_type = None
    while at < len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        body = data[at + 8:at + 8 + length]
        at += 12 + length
        if kind == b"IHDR":
            width, height, depth, colour_type, _, _, interlace = struct.unpack(">IIBBBBB", body)
            if depth != 8 or colour_type not in (2, 6) or interlace:
                raise ValueError("unsupported PNG layout in %s" % path)
        elif kind == b"IDAT":
            chunks.append(body)
        elif kind == b"IEND":
            break
    raw = zlib.decompress(b"".join(chunks))
    bpp = 3 if colour_type == 2 else 4
    stride = width * bpp
    previous = bytearray(stride)
    rgb = bytearray()
    for y in range(height):
        start = y * (stride + 1)
        line = _unfilter(raw[start], raw[start + 1:start + 1 + stride], previous, bpp)
        previous = line
        if bpp == 3:
            rgb += line
        else:
            for x in range(width):
                rgb += line[x * 4:x * 4 + 3]
    return Image(width, height, bytes(rgb))


def read_bmp8(path):
    """An 8-bit palettised BMP (bottom-up or top-down) as RGB, with its colour table."""
    data = open(path, "rb").read()
    offset = struct.unpack_from("<I", data, 10)[0]
    header_size, width, height, _, bits = struct.unpack_from("<IiiHH", data, 14)
    if bits != 8:
        raise ValueError("%s is not an 8-bit BMP" % path)
    colours_used = struct.unpack_from("<I", data, 46)[0] or 256
    table_at = 14 + header_size
    table = [(data[table_at + 4 * i + 2], data[table_at + 4 * i + 1], data[table_at + 4 * i])
             for i in range(colours_used)]
    stride = (width + 3) & ~3
    rows = []
    for y in range(abs(height)):
        source_row = abs(height) - 1 - y if height > 0 else y
        start = offset + source_row * stride
        rows.append(b"".join(bytes(table[i]) for i in data[start:start + width]))
    return Image(width, abs(height), b"".join(rows)), table
