#!/usr/bin/env python3
"""Checks a capture of page-H.html, row by row: every pixel row must show, in one column,
the colour of the 100-pixel row of the page it belongs to, so a missing, repeated, shifted
or stale band shows. Reads PNG (own inflate), BMP, uncompressed TIFF and JPEG (through
djpeg, with a tolerance and away from the row edges, since JPEG is lossy). Prints
WIDTHxHEIGHT and "whole", or the first page row that goes wrong.
    check-output.py FILE PAGE_HEIGHT"""
import struct, subprocess, sys, zlib

X = 40  # the column looked at: well left of the banner in the bottom-right corner


def want(i):
    return (i * 37) % 256, (i * 91) % 256, (i // 7 * 53) % 256


def png(f):
    def chunks():
        while True:
            length, kind = struct.unpack(">I4s", f.read(8))
            yield kind, f.read(length)
            f.read(4)
            if kind == b"IEND":
                return
    f.read(8)
    chunk = chunks()
    kind, body = next(chunk)
    width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
    if depth != 8 or interlace or colour not in (2, 6):
        raise ValueError(f"PNG depth {depth}, colour type {colour}, interlace {interlace}")
    channels = 3 if colour == 2 else 4
    stride, keep = width * channels + 1, (X + 1) * channels  # filters only look left and up

    def inflated():
        z = zlib.decompressobj()
        for kind, data in chunk:
            while kind == b"IDAT" and data:
                yield z.decompress(data, 1 << 22)
                data = z.unconsumed_tail
        yield z.flush()

    def pixels():
        previous, buffer = bytearray(keep), b""
        for piece in inflated():
            buffer += piece
            rows = len(buffer) // stride
            for r in range(rows):
                kind = buffer[r * stride]
                line = bytearray(buffer[r * stride + 1:r * stride + 1 + keep])
                for x in range(keep) if kind else ():
                    a = line[x - channels] if x >= channels else 0
                    b = previous[x]
                    c = previous[x - channels] if x >= channels else 0
                    if kind == 1: line[x] = (line[x] + a) & 255
                    elif kind == 2: line[x] = (line[x] + b) & 255
                    elif kind == 3: line[x] = (line[x] + (a + b) // 2) & 255
                    elif kind == 4:
                        p = a + b - c
                        pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                        line[x] = (line[x] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
                yield tuple(line[X * channels:X * channels + 3])
                previous = line
            buffer = buffer[rows * stride:]
    return width, height, pixels()


def bmp(f):
    header = f.read(54)
    offset, = struct.unpack("<I", header[10:14])
    width, height, _, bits, compression = struct.unpack("<iiHHI", header[18:34])
    if bits not in (24, 32) or compression not in (0, 3):
        raise ValueError(f"BMP {bits} bits, compression {compression}")
    stride, size = (width * bits + 31) // 32 * 4, bits // 8

    def pixels():
        for y in range(abs(height)):
            f.seek(offset + (y if height < 0 else height - 1 - y) * stride + X * size)
            b, g, r = f.read(3)
            yield r, g, b
    return width, abs(height), pixels()


def tiff(f):
    order = "<" if f.read(2) == b"II" else ">"
    magic, ifd = struct.unpack(order + "HI", f.read(6))
    if magic != 42:
        raise ValueError("not a classic TIFF")
    f.seek(ifd)
    tags = {}
    for _ in range(struct.unpack(order + "H", f.read(2))[0]):
        tag, kind, count, value = struct.unpack(order + "HHI4s", f.read(12))
        if kind in (3, 4):
            code = "H" if kind == 3 else "I"
            if count * struct.calcsize(code) > 4:
                here = f.tell()
                f.seek(struct.unpack(order + "I", value)[0])
                value = f.read(count * struct.calcsize(code))
                f.seek(here)
            tags[tag] = struct.unpack(order + code * count, value[:count * struct.calcsize(code)])
    width, height, samples = tags[256][0], tags[257][0], tags.get(277, (1,))[0]
    if tags.get(259, (1,))[0] != 1 or tags.get(262, (0,))[0] != 2 or samples < 3 \
            or set(tags.get(258, (8,))) != {8} or tags.get(284, (1,))[0] != 1:
        raise ValueError("TIFF not uncompressed 8-bit RGB")
    offsets, per_strip = tags[273], tags.get(278, (height,))[0]

    def pixels():
        for y in range(height):
            f.seek(offsets[y // per_strip] + ((y % per_strip) * width + X) * samples)
            yield tuple(f.read(3))
    return width, height, pixels()


def jpeg(path):
    djpeg = subprocess.Popen(["djpeg", "-pnm", path], stdout=subprocess.PIPE,
                             stderr=subprocess.DEVNULL)
    f = djpeg.stdout
    words = []
    while len(words) < 4:  # P6 width height maxval, one byte of white space after
        word = b""
        while (c := f.read(1)) and not c.isspace():
            word += c
        if not c and not word:
            raise ValueError("djpeg gave no picture")
        if word:
            words.append(word)
    width, height = int(words[1]), int(words[2])

    def pixels():
        for _ in range(height):
            row = f.read(width * 3)
            yield tuple(row[X * 3:X * 3 + 3])
        djpeg.wait()
    return width, height, pixels()


def check(path, page_height):
    with open(path, "rb") as f:
        magic = f.read(4)
        f.seek(0)
        if magic == b"\x89PNG": width, height, pixels = png(f)
        elif magic[:2] == b"BM": width, height, pixels = bmp(f)
        elif magic in (b"II*\0", b"MM\0*"): width, height, pixels = tiff(f)
        elif magic[:2] == b"\xff\xd8": width, height, pixels = jpeg(path)
        else: raise ValueError("not PNG, BMP, TIFF or JPEG")
        lossy, rows = magic[:2] == b"\xff\xd8", page_height // 100
        wrong = set(range(height // 100, rows))  # the page rows the picture does not reach
        y, stop = 0, ""
        try:
            for y, pixel in enumerate(pixels):
                i, inside = y // 100, y % 100
                if i >= rows:  # below the page
                    continue
                if lossy and not 8 <= inside < 92:  # blocks of 8 (chroma of 16) blur the edges
                    continue
                if any(abs(p - w) > (24 if lossy else 2) for p, w in zip(pixel, want(i))):
                    wrong.add(i)
            y = height
        except Exception as error:  # a cut-off file: what it holds is still reported
            wrong |= set(range(y // 100, rows))
            stop = f"; the file stops at y {y}: {error or type(error).__name__}"
    size = f"{width}x{height}" + (f" (page {page_height})" if height != page_height else "")
    if not wrong:
        return size + " whole"
    first = min(wrong)
    return size + f" wrong from row {first} (y {first * 100}; {len(wrong)} of {rows} rows{stop})"


if __name__ == "__main__":
    try:
        print(check(sys.argv[1], int(sys.argv[2])))
    except Exception as error:
        print(f"BROKEN ({error})")
