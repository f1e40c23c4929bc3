#!/usr/bin/env bash
# Writes the small seed inputs of the archive and picture fuzz targets: ImageMagick and cjpeg
# make the BMP, PCX, TGA and JPEG seeds; the archive, PIX, PI1 and raw seeds are put together
# byte by byte here. Run from anywhere; it replaces the seed folders' files.
set -euo pipefail
cd "$(dirname "$0")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for target in archive pix bmp pcx tga pi1 raw_picture jpeg; do
    mkdir -p "${target}_fuzz"
    rm -f "${target}_fuzz"/*
done

convert -size 7x5 gradient:red-blue -fill white -draw 'point 1,1' "$work/source.ppm"
convert "$work/source.ppm" -colors 12 -type Palette -compress None BMP3:bmp_fuzz/palette8.bmp
convert "$work/source.ppm" -type TrueColor BMP3:bmp_fuzz/true24.bmp
convert "$work/source.ppm" -define bmp:subtype=RGB555 bmp_fuzz/rgb555.bmp
convert "$work/source.ppm" -colors 12 -type Palette pcx_fuzz/palette8.pcx
convert "$work/source.ppm" -colors 12 -type TrueColor tga_fuzz/true24.tga
cjpeg -outfile jpeg_fuzz/colour.jpg "$work/source.ppm"
cjpeg -grayscale -outfile jpeg_fuzz/grey.jpg "$work/source.ppm"
cjpeg -progressive -outfile jpeg_fuzz/progressive.jpg "$work/source.ppm"

python3 - <<'PY'
import struct

def archive(entries, magic=b"OO"):
    directory = b""
    data = b""
    offset = 6 + 1032 * len(entries)
    for name, body in entries:
        stored = bytes(c ^ 0xFF for c in name.encode()) + b"\0"
        directory += stored.ljust(1024, b"\0") + struct.pack("<II", offset, len(body))
        offset += len(body)
        data += body
    return magic + struct.pack("<i", len(entries)) + directory + data

open("archive_fuzz/two.one", "wb").write(
    archive([("SPIEL.PIX", b"PIX-data"), ("sound\\titel.mod", b"module")]))
open("archive_fuzz/lower.one", "wb").write(archive([("a", b"x")], b"oo"))

palette = bytes((i * 5) % 64 for i in range(768))
def pix(width, height, body, packed_size):
    field = struct.pack("<H" if (width, height) == (320, 200) else "<I", packed_size)
    return b"PIX\x02\x0b" + struct.pack("<hh", width, height) + b"\x00\x01" + field + body + palette

open("pix_fuzz/raw.pix", "wb").write(pix(4, 2, bytes(range(8)), 8))
open("pix_fuzz/packed.pix", "wb").write(pix(4, 2, b"\x85\x07\x03\x01\x02\x03", 6))
open("pix_fuzz/headerless.pix", "wb").write(struct.pack("<H", 4) + b"\x83\x09\x01\xc8" + palette)

words = [0x000, 0x777, 0x700, 0x070, 0x007] + [0x123] * 11
planes = bytes([0x80, 0x00, 0x00, 0x00, 0x80, 0x00, 0x00, 0x01]) * 8
open("pi1_fuzz/start.pi1", "wb").write(struct.pack(">H16H", 0, *words) + planes)

open("raw_picture_fuzz/start.pic", "wb").write(bytes(range(256)) * 4)
PY
ls -l archive_fuzz pix_fuzz bmp_fuzz pcx_fuzz tga_fuzz pi1_fuzz raw_picture_fuzz jpeg_fuzz
