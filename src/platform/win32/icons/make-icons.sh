#!/usr/bin/env bash
# Draws the program's icons with ImageMagick: a dark display face with a green
# engine dial and an amber pointer. Run it here to remake the .ico files.
set -euo pipefail
cd "$(dirname "$0")"

# dial SIZE: one PNG of the dial at SIZE x SIZE pixels.
dial() {
  local size=$1 out=$2
  local s
  s=$(awk "BEGIN { print $size / 32 }")
  convert -size "${size}x${size}" xc:none \
    -fill '#101418' -stroke '#5a6470' -strokewidth "$s" \
    -draw "roundrectangle $(awk "BEGIN { print 0.5*$s }"),$(awk "BEGIN { print 0.5*$s }") $(awk "BEGIN { print $size-0.5*$s-1 }"),$(awk "BEGIN { print $size-0.5*$s-1 }") $(awk "BEGIN { print 4*$s }"),$(awk "BEGIN { print 4*$s }")" \
    -fill none -stroke '#20e040' -strokewidth "$(awk "BEGIN { print 3*$s }")" \
    -draw "ellipse $(awk "BEGIN { print 16*$s }"),$(awk "BEGIN { print 16*$s }") $(awk "BEGIN { print 10*$s }"),$(awk "BEGIN { print 10*$s }") 135,405" \
    -stroke '#ffb000' -strokewidth "$(awk "BEGIN { print 2.5*$s }")" \
    -draw "line $(awk "BEGIN { print 16*$s }"),$(awk "BEGIN { print 16*$s }") $(awk "BEGIN { print 23*$s }"),$(awk "BEGIN { print 9*$s }")" \
    "$out"
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for size in 16 32 48; do
  dial "$size" "$work/dial-$size.png"
done

convert "$work/dial-32.png" "$work/dial-48.png" "$work/dial-16.png" tarnex.ico   # class icon (129)
convert "$work/dial-16.png" small.ico                                          # small class icon (108)
convert "$work/dial-32.png" about.ico                                          # About box (107)
