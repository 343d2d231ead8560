#!/bin/sh
# Draws the About window's two pictures (the 329 x 49 title banner and the 353 x 73 footer) and
# the About button's 16 x 16 glyph in the program's colours (the dark grey of its texts, the red
# of its duty days), and writes them into the form descriptions as picture data:
#   app/AboutUnit.form   Image1.Picture.Data, Image2.Picture.Data  (class name "TBitmap", then the .bmp)
#   app/KVLUnit.form     sBitBtn1.Glyph.Data                         (the bare .bmp)
# The pictures are 8-bit palette bitmaps, which keeps the descriptions small.
# Needs ImageMagick (/usr/bin/convert), DejaVu Sans and WenQuanYi Micro Hei (tools/setup.sh).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
CONVERT=/usr/bin/convert
LATIN=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
LATIN_BOOK=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf
CJK=/usr/share/fonts/truetype/wqy/wqy-microhei.ttc
for f in "$CONVERT" "$LATIN" "$LATIN_BOOK" "$CJK"; do
  [ -e "$f" ] || { echo "make-about-pictures: $f is missing (tools/setup.sh installs it)" >&2; exit 1; }
done

GREY='#414141'
RED='#D8141C'
DARKRED='#8C0E14'
PAPER='#F4F4F2'
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Title banner: dark grey into red, the name and the version in white, a row of calendar days.
"$CONVERT" -size 49x329 "gradient:$DARKRED-$GREY" -rotate 90 \
  -fill white -font "$LATIN" -pointsize 20 -annotate +14+32 'Kelvane' \
  -fill '#FFD6D6' -font "$LATIN_BOOK" -pointsize 12 -annotate +112+32 'v2.0' \
  -fill white -font "$CJK" -pointsize 17 -annotate +156+31 '轮班日历' \
  -fill none -stroke '#FFFFFF' -strokewidth 1 \
  -draw 'rectangle 244,10 262,28' -draw 'rectangle 266,10 284,28' -draw 'rectangle 288,10 306,28' \
  -stroke none -fill white -draw 'rectangle 245,11 261,27' -fill "$RED" -draw 'rectangle 267,11 283,27' \
  -fill white -draw 'rectangle 289,11 305,27' \
  -fill '#FFFFFF' -draw 'rectangle 244,34 306,36' \
  -type Palette -colors 256 "BMP3:$work/banner.bmp"

# Footer: paper with a thin red rule, a strip of week days with the duty days red, the three
# rotations named in grey.
"$CONVERT" -size 353x73 "xc:$PAPER" \
  -fill "$RED" -draw 'rectangle 0,0 352,2' \
  -fill "$GREY" -draw 'rectangle 0,70 352,72' \
  -stroke '#C8C8C8' -fill white \
  -draw 'rectangle 12,14 32,34' -draw 'rectangle 36,14 56,34' -draw 'rectangle 60,14 80,34' \
  -draw 'rectangle 84,14 104,34' -draw 'rectangle 108,14 128,34' -draw 'rectangle 132,14 152,34' \
  -draw 'rectangle 156,14 176,34' -stroke none \
  -fill "$RED" -draw 'rectangle 13,15 31,33' -draw 'rectangle 85,15 103,33' -draw 'rectangle 157,15 175,33' \
  -fill "$GREY" -font "$CJK" -pointsize 12 -annotate +192+29 '上班 · 休息 · 上班' \
  -annotate +12+58 '24小时 · 48小时 · 12小时轮班，节日值班一目了然' \
  -type Palette -colors 256 "BMP3:$work/footer.bmp"

# Glyph of the About button: a red disc with a white "i"; the bottom-left pixel's colour (olive)
# is the transparent one.
"$CONVERT" -size 16x16 'xc:#808000' \
  -fill "$RED" -draw 'circle 7.5,7.5 7.5,0.5' \
  -fill white -draw 'rectangle 7,3 8,4' -draw 'rectangle 7,6 8,12' \
  -type Palette -colors 256 "BMP3:$work/glyph.bmp"

# Hex lines for a description: 64 digits each, indented by $2 spaces; $3 = "picture" puts the
# class-name prefix first.
hexlines() {
  {
    if [ "$3" = picture ]; then printf '\007TBitmap'; fi
    cat "$1"
  } | od -An -v -tx1 | tr -d ' \n' | tr 'a-f' 'A-F' | fold -w 64 | sed "s/^/$(printf '%*s' "$2" '')/"
  echo
}

# Replaces the hex block of property $3 inside object $2 of form $1 with the lines in file $4.
splice() {
  awk -v object="$2" -v prop="$3" -v hexfile="$4" '
    function emit_hex(  line) { while ((getline line < hexfile) > 0) if (line != "") print line; close(hexfile) }
    $1 == "object" { inobj = ($2 == object ":") }
    inobj && !skipping && $1 == prop && $2 == "=" && $3 ~ /^\{/ {
      indent = $0; sub(/[^ ].*$/, "", indent)
      print indent prop " = {"
      emit_hex()
      if ($0 ~ /\}/) { print indent "}"; inobj = 0; next }
      skipping = 1; next
    }
    skipping { if ($0 ~ /\}/) { sub(/^[^}]*/, ""); print indent $0; skipping = 0; inobj = 0 } ; next }
    { print }
  ' "$1" >"$work/form" && cat "$work/form" >"$1"
}

hexlines "$work/banner.bmp" 8 picture >"$work/banner.hex"
hexlines "$work/footer.bmp" 8 picture >"$work/footer.hex"
hexlines "$work/glyph.bmp" 6 bare >"$work/glyph.hex"
splice "$root/app/AboutUnit.form" Image1 Picture.Data "$work/banner.hex"
splice "$root/app/AboutUnit.form" Image2 Picture.Data "$work/footer.hex"
splice "$root/app/KVLUnit.form" sBitBtn1 Glyph.Data "$work/glyph.hex"
echo "make-about-pictures: pictures written into app/AboutUnit.form and app/KVLUnit.form"
