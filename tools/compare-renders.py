#!/usr/bin/env python3
"""Prints the largest sample difference between two float WAV files.

Used by the main job to set the Windows build's renders beside the native
ones. Exit 1 when the files differ in layout or by more than the limit.
"""
import struct
import sys


def read_float_wav(path):
    with open(path, "rb") as f:
        data = f.read()
    if data[:4] != b"RIFF" or data[8:12] != b"WAVE":
        raise ValueError(f"{path}: not a WAV file")
    pos, fmt, samples = 12, None, None
    while pos + 8 <= len(data):
        cid, size = data[pos:pos + 4], struct.unpack_from("<I", data, pos + 4)[0]
        body = data[pos + 8:pos + 8 + size]
        if cid == b"fmt ":
            fmt = struct.unpack_from("<HHIIHH", body)
        elif cid == b"data":
            samples = body
        pos += 8 + size + (size & 1)
    if fmt is None or samples is None:
        raise ValueError(f"{path}: no format or no data")
    tag, channels, rate, _, _, bits = fmt
    if bits != 32 or tag not in (3, 0xFFFE):
        raise ValueError(f"{path}: not 32-bit float samples")
    count = len(samples) // 4
    return channels, rate, struct.unpack(f"<{count}f", samples[:count * 4])


def main():
    if len(sys.argv) != 4:
        print("usage: compare-renders.py A.wav B.wav LIMIT", file=sys.stderr)
        return 2
    try:
        a, b = read_float_wav(sys.argv[1]), read_float_wav(sys.argv[2])
    except (OSError, ValueError, struct.error) as e:
        print(f"compare-renders: {e}", file=sys.stderr)
        return 1
    limit = float(sys.argv[3])
    if a[:2] != b[:2] or len(a[2]) != len(b[2]):
        print("layouts differ: %s vs %s" % ((a[0], a[1], len(a[2])), (b[0], b[1], len(b[2]))))
        return 1
    worst = max((abs(x - y) for x, y in zip(a[2], b[2])), default=0.0)
    print(f"largest difference {worst:.3g} over {len(a[2])} samples")
    return 0 if worst <= limit else 1


if __name__ == "__main__":
    sys.exit(main())
