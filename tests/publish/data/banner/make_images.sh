#!/usr/bin/env bash
# Remakes the banner test images with ImageMagick; the EXIF segment (with a JPEG thumbnail whose
# own frame header must not be taken for the image's) is put in front of the frame by python3.
set -euo pipefail
cd "$(dirname "$0")"
# The installed policy caps widths at 16K pixels; a private policy allows the 65535-wide images.
policy=$(mktemp -d)
trap 'rm -rf "$policy"' EXIT
printf '<policymap><policy domain="resource" name="width" value="128KP"/></policymap>\n' \
  >"$policy/policy.xml"
export MAGICK_CONFIGURE_PATH=$policy
convert -size 468x60 xc:red GIF87:gif87a.gif
convert -size 40000x2 xc:blue -define gif:version=89a GIF:gif89a.gif
convert -size 65535x1 xc:green GIF:wide.gif
convert -size 1x1 xc:white one.gif
convert -size 1x1 xc:white one.png
convert -size 65535x1 xc:green wide.png
convert -size 200x40 xc:yellow -depth 8 banner.png
convert -size 1x1 xc:white one.jpg
convert -size 65500x1 xc:green wide.jpg
convert -size 24x8 gradient:red-blue thumb.jpg
convert -size 300x100 gradient:white-black -quality 40 plain.jpg
convert -size 320x120 gradient:white-black -quality 40 -interlace JPEG plain_progressive.jpg
python3 - <<'PY'
import struct

def exif_with_thumbnail(thumb):
    # TIFF, little-endian: IFD0 with one entry, IFD1 pointing at the thumbnail.
    ifd0 = struct.pack('<H', 1) + struct.pack('<HHII', 0x0112, 3, 1, 1)
    ifd1_offset = 8 + len(ifd0) + 4
    ifd0 += struct.pack('<I', ifd1_offset)
    ifd1_entries = 2
    thumb_offset = ifd1_offset + 2 + ifd1_entries * 12 + 4
    ifd1 = struct.pack('<H', ifd1_entries)
    ifd1 += struct.pack('<HHII', 0x0201, 4, 1, thumb_offset)
    ifd1 += struct.pack('<HHII', 0x0202, 4, 1, len(thumb))
    ifd1 += struct.pack('<I', 0)
    tiff = b'II*\x00' + struct.pack('<I', 8) + ifd0 + ifd1 + thumb
    body = b'Exif\x00\x00' + tiff
    return b'\xff\xe1' + struct.pack('>H', len(body) + 2) + body

thumb = open('thumb.jpg', 'rb').read()
app1 = exif_with_thumbnail(thumb)
for src, dst in (('plain.jpg', 'exif_baseline.jpg'), ('plain_progressive.jpg', 'exif_progressive.jpg')):
    data = open(src, 'rb').read()
    # Just after SOI, ahead of JFIF, the quantisation tables and the frame.
    open(dst, 'wb').write(data[:2] + app1 + data[2:])
PY
rm -f plain.jpg plain_progressive.jpg thumb.jpg
