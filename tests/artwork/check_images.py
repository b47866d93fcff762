#!/usr/bin/env python3
"""Checks the committed artwork against the image table of the generator:
every product's resources.txt lists exactly the table's ids and files, and
every PNG has the table's width, full height (frames x frame height) and
channel layout (glow lamps and opaque panels without alpha)."""

import os
import struct
import sys
import zlib

PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"
COLOUR_TYPES = {2: "rgb", 6: "rgba"}


def read_header(path):
    """(width, height, bit depth, colour type) from the IHDR chunk, after
    checking the signature and the chunk's CRC."""
    with open(path, "rb") as f:
        data = f.read(33)
    if len(data) < 33 or data[:8] != PNG_SIGNATURE:
        raise ValueError("not a PNG file")
    length, kind = struct.unpack(">I4s", data[8:16])
    if kind != b"IHDR" or length != 13:
        raise ValueError("first chunk is not IHDR")
    body = data[16:29]
    (crc,) = struct.unpack(">I", data[29:33])
    if zlib.crc32(data[12:29]) & 0xFFFFFFFF != crc:
        raise ValueError("IHDR CRC mismatch")
    width, height, depth, colour = struct.unpack(">IIBB", body[:10])
    return width, height, depth, colour


def _paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def read_rgb_rows(path):
    """Rows of an 8-bit RGB, non-interlaced PNG as bytearrays (R, G, B...)."""
    with open(path, "rb") as f:
        data = f.read()
    pos, idat = 8, b""
    width = height = 0
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(
                ">IIBBBBB", body)
            if depth != 8 or colour != 2 or interlace:
                raise ValueError("not 8-bit RGB without interlace")
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    raw = zlib.decompress(idat)
    stride, bpp = width * 3, 3
    rows, prev = [], bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - bpp] if i >= bpp else 0
            c = prev[i - bpp] if i >= bpp else 0
            pred = (0, a, prev[i], (a + prev[i]) // 2,
                    _paeth(a, prev[i], c))[kind]
            line[i] = (line[i] + pred) & 0xFF
        rows.append(line)
        prev = line
    return rows


def check_glow(path, where):
    """A glow lamp is added onto the panel, so its border must be black (or
    the lamp would light a square) and its centre bright."""
    rows = read_rgb_rows(path)
    border = [rows[0], rows[-1]] + [bytes(r[:3]) + bytes(r[-3:])
                                     for r in rows]
    errors = []
    if any(any(row) for row in border):
        errors.append("%s: glow has a non-black border" % where)
    cy, cx = len(rows) // 2, len(rows[0]) // 6
    if max(rows[cy][cx * 3:cx * 3 + 3]) < 200:
        errors.append("%s: glow centre is not bright" % where)
    return errors


def read_manifest(path):
    entries = {}
    with open(path, encoding="ascii") as f:
        for number, line in enumerate(f, 1):
            fields = line.split()
            if len(fields) != 2 or not fields[0].isdigit():
                raise ValueError("%s:%d: expected '<id> <file>'" % (path, number))
            rid = int(fields[0])
            if rid in entries:
                raise ValueError("%s:%d: id %d repeated" % (path, number, rid))
            entries[rid] = fields[1]
    return entries


def check_product(root, catalog, product):
    errors = []
    folder = os.path.join(root, "products", product, "resources")
    manifest = read_manifest(os.path.join(folder, "resources.txt"))
    table = {im.id: im for im in catalog.CATALOG[product]}
    if sorted(manifest) != sorted(table):
        errors.append("%s: manifest ids %s, expected %s"
                      % (product, sorted(manifest), sorted(table)))
    for rid, image in sorted(table.items()):
        where = "%s id %d (%s)" % (product, rid, image.name)
        if manifest.get(rid) != catalog.file_name(image):
            errors.append("%s: manifest names %r" % (where, manifest.get(rid)))
            continue
        try:
            w, h, depth, colour = read_header(os.path.join(folder,
                                                           manifest[rid]))
        except (OSError, ValueError) as e:
            errors.append("%s: %s" % (where, e))
            continue
        if (w, h) != (image.width, image.frame_h * image.frames):
            errors.append("%s: %d x %d, expected %d x %d (%d frames of %d)"
                          % (where, w, h, image.width,
                             image.frame_h * image.frames, image.frames,
                             image.frame_h))
        if h % image.frames or h // image.frames != image.frame_h:
            errors.append("%s: frame height %s, expected %d"
                          % (where, h / image.frames, image.frame_h))
        want = "rgb" if image.rgb else "rgba"
        if depth != 8 or COLOUR_TYPES.get(colour) != want:
            errors.append("%s: bit depth %d colour type %d, expected 8-bit %s"
                          % (where, depth, colour, want))
        elif image.name.startswith("img/glow_"):
            errors += check_glow(os.path.join(folder, manifest[rid]), where)
    return errors


def main():
    root = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else ".")
    sys.path.insert(0, os.path.join(root, "tools", "artwork"))
    import catalog

    errors = []
    for product in catalog.PRODUCTS:
        try:
            errors += check_product(root, catalog, product)
        except (OSError, ValueError) as e:
            errors.append("%s: %s" % (product, e))
    for line in errors:
        print(line)
    print("%d problem(s)" % len(errors))
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main())
