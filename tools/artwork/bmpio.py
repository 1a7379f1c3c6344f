"""Minimal BMP and ICO writing/reading with the standard library only.

Bitmaps are written the way the resource compiler and LoadBitmap expect them:
BITMAPFILEHEADER + BITMAPINFOHEADER (40 bytes), bottom-up rows padded to four
bytes, no compression.  Pixels are given as rows (top first) of (r, g, b).
"""
import struct


def _row_stride(width, bpp):
    return ((width * bpp + 31) // 32) * 4


def bmp_bytes(rows, bpp=24, palette=None):
    h = len(rows)
    w = len(rows[0])
    stride = _row_stride(w, bpp)
    body = bytearray()
    if bpp == 24:
        for row in reversed(rows):
            line = bytearray()
            for (r, g, b) in row:
                line += bytes((b, g, r))
            line += b'\0' * (stride - len(line))
            body += line
        pal = b''
        ncol = 0
    elif bpp == 8:
        assert palette is not None and 0 < len(palette) <= 256
        index = {c: i for i, c in enumerate(palette)}
        for row in reversed(rows):
            line = bytearray(index[c] for c in row)
            line += b'\0' * (stride - len(line))
            body += line
        ncol = len(palette)
        pal = b''.join(bytes((b, g, r, 0)) for (r, g, b) in palette)
    else:
        raise ValueError(bpp)
    info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, bpp, 0, len(body),
                       2835, 2835, ncol, 0)
    off = 14 + len(info) + len(pal)
    head = struct.pack('<2sIHHI', b'BM', off + len(body), 0, 0, off)
    return head + info + pal + bytes(body)


def write_bmp(path, rows, bpp=24, palette=None):
    with open(path, 'wb') as f:
        f.write(bmp_bytes(rows, bpp, palette))


def read_bmp(path):
    """Return (info dict, rows top-first of (r, g, b)) for our own formats."""
    data = open(path, 'rb').read()
    magic, size, _, _, off = struct.unpack_from('<2sIHHI', data, 0)
    if magic != b'BM' or size != len(data):
        raise ValueError('%s: bad file header' % path)
    (bisize, w, h, planes, bpp, comp, sizeimg, _, _, clrused,
     _) = struct.unpack_from('<IiiHHIIiiII', data, 14)
    info = dict(header=bisize, width=w, height=h, planes=planes, bpp=bpp,
                compression=comp, colors=clrused, offset=off)
    if bisize != 40 or planes != 1 or comp != 0 or h <= 0 or w <= 0:
        raise ValueError('%s: unsupported header %r' % (path, info))
    stride = _row_stride(w, bpp)
    if sizeimg != stride * h or off + stride * h != len(data):
        raise ValueError('%s: bad image size' % path)
    pal = []
    if bpp == 8:
        n = clrused or 256
        if off != 54 + 4 * n:
            raise ValueError('%s: palette/offset mismatch' % path)
        for i in range(n):
            b, g, r, _ = data[54 + 4 * i: 58 + 4 * i]
            pal.append((r, g, b))
    elif bpp != 24:
        raise ValueError('%s: unsupported depth %d' % (path, bpp))
    rows = []
    for y in range(h):
        base = off + (h - 1 - y) * stride
        if bpp == 24:
            rows.append([(data[base + 3 * x + 2], data[base + 3 * x + 1],
                          data[base + 3 * x]) for x in range(w)])
        else:
            rows.append([pal[data[base + x]] for x in range(w)])
    info['palette'] = pal
    return info, rows


def ico_bytes(images):
    """images: list of rows (top first) of (r, g, b, a); written as 32-bit
    icon images with the 1-bit AND mask that older readers still use."""
    entries = []
    blobs = []
    for rows in images:
        h = len(rows)
        w = len(rows[0])
        xor = bytearray()
        for row in reversed(rows):
            for (r, g, b, a) in row:
                xor += bytes((b, g, r, a))
        mstride = _row_stride(w, 1)
        mask = bytearray()
        for row in reversed(rows):
            line = bytearray(mstride)
            for x, px in enumerate(row):
                if px[3] == 0:
                    line[x // 8] |= 0x80 >> (x % 8)
            mask += line
        info = struct.pack('<IiiHHIIiiII', 40, w, 2 * h, 1, 32, 0,
                           len(xor) + len(mask), 0, 0, 0, 0)
        blobs.append(info + bytes(xor) + bytes(mask))
        entries.append((w, h))
    out = bytearray(struct.pack('<HHH', 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for (w, h), blob in zip(entries, blobs):
        out += struct.pack('<BBBBHHII', w % 256, h % 256, 0, 0, 1, 32,
                           len(blob), offset)
        offset += len(blob)
    for blob in blobs:
        out += blob
    return bytes(out)
