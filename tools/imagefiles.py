"""Writes the picture files of the programs' resources: icons (.ico), 24-bit
bitmaps (.bmp) and PNG previews for people. Standard library only.

A picture is a list of rows, top row first:
- a 16-colour icon image: palette indices, None where the icon is transparent;
- a 32-bit icon image: (r, g, b, a), masked out where alpha is 0;
- a bitmap or a preview: (r, g, b).
"""
import collections
import struct
import zlib

# The 16 colours every Windows display shows, in palette order.
VGA_PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]

# One image of an icon file: its size, colour count and bits per pixel as the
# icon directory lists them, and its DIB (header, palette, colour rows, mask).
IconImage = collections.namedtuple('IconImage', 'width height colours bits dib')


def first_drawn(drawn):
    """Keeps a thin line of the larger picture in the smaller one."""
    return drawn[0]


def shrink(rows, size, pick=first_drawn):
    """The size x size picture of a larger square one (None where
    transparent): each cell of the larger one becomes one pixel, `pick`
    choosing among the cell's drawn pixels (in reading order); a cell with
    none stays transparent."""
    step = len(rows) // size
    small = [[None] * size for _ in range(size)]
    for y in range(size):
        for x in range(size):
            cell = [rows[y * step + dy][x * step + dx] for dy in range(step) for dx in range(step)]
            drawn = [c for c in cell if c is not None]
            small[y][x] = pick(drawn) if drawn else None
    return small


def _row_bytes(width, bits):
    """Rows of a DIB are padded to whole 32-bit words."""
    return (width * bits + 31) // 32 * 4


def _info_header(width, height, bits, size_image=0, colours=0, pixels_per_metre=0):
    return struct.pack('<IiiHHIIiiII', 40, width, height, 1, bits, 0, size_image,
                       pixels_per_metre, pixels_per_metre, colours, 0)


def _and_mask(rows, transparent):
    """The 1-bit mask of an icon image, bottom row first: set where transparent."""
    width = len(rows[0])
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(_row_bytes(width, 1))
        for x, pixel in enumerate(row):
            if transparent(pixel):
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return bytes(mask)


def _icon_dib(rows, bits, palette, colour_rows):
    # The icon DIB is twice as high as the image: colour rows, then mask rows.
    # Its size is left 0; the icon directory gives each image's byte count.
    width, height = len(rows[0]), len(rows)
    header = _info_header(width, height * 2, bits, colours=len(palette))
    palette_bytes = b''.join(struct.pack('BBBB', b, g, r, 0) for r, g, b in palette)
    return header + palette_bytes + colour_rows


def indexed_icon_image(rows, palette=VGA_PALETTE):
    """A 16-colour image from palette indices; None is transparent."""
    width = len(rows[0])
    colour = bytearray()
    for row in reversed(rows):
        line = bytearray(_row_bytes(width, 4))
        for x, index in enumerate(row):
            line[x // 2] |= (index or 0) << (4 if x % 2 == 0 else 0)
        colour += line
    mask = _and_mask(rows, lambda index: index is None)
    dib = _icon_dib(rows, 4, palette, bytes(colour) + mask)
    return IconImage(width, len(rows), len(palette), 4, dib)


def rgba_icon_image(rows):
    """A 32-bit image with alpha from (r, g, b, a) pixels."""
    colour = b''.join(bytes((b, g, r, a)) for row in reversed(rows) for r, g, b, a in row)
    mask = _and_mask(rows, lambda pixel: pixel[3] == 0)
    dib = _icon_dib(rows, 32, [], colour + mask)
    return IconImage(len(rows[0]), len(rows), 0, 32, dib)


def ico_bytes(images):
    """An icon file: the directory of its images, then the images in that order."""
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for image in images:
        # A size of 256 is written as 0; a true-colour image lists no colour count.
        out += struct.pack('<BBBBHHII', image.width % 256, image.height % 256, image.colours % 256, 0, 1,
                           image.bits, len(image.dib), offset)
        offset += len(image.dib)
    return out + b''.join(image.dib for image in images)


def bmp_bytes(rows):
    """A 24-bit bottom-up bitmap file from (r, g, b) rows."""
    width, height = len(rows[0]), len(rows)
    pad = bytes(_row_bytes(width, 24) - width * 3)
    data = b''.join(b''.join(bytes((b, g, r)) for r, g, b in row) + pad for row in reversed(rows))
    info = _info_header(width, height, 24, len(data), pixels_per_metre=2835)  # 72 dots per inch
    file_header = struct.pack('<2sIHHI', b'BM', 14 + len(info) + len(data), 0, 0, 14 + len(info))
    return file_header + info + data


def png_bytes(rows, scale=1):
    """An 8-bit RGB PNG from (r, g, b) rows, each pixel drawn scale x scale."""
    width, height = len(rows[0]) * scale, len(rows) * scale
    lines = []
    for row in rows:
        line = b'\0' + b''.join(bytes(pixel) * scale for pixel in row)  # filter type 0
        lines += [line] * scale

    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))

    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, 2, 0, 0, 0)) +
            chunk(b'IDAT', zlib.compress(b''.join(lines))) + chunk(b'IEND', b''))


def _write(path, data):
    with open(path, 'wb') as f:
        f.write(data)


def write_ico(path, images):
    _write(path, ico_bytes(images))


def write_bmp(path, rows):
    _write(path, bmp_bytes(rows))


def write_png(path, rows, scale=1):
    _write(path, png_bytes(rows, scale))
