#!/bin/sh
# Makes a contact sheet of the program's own skin for review: every image the skin generator
# draws, its state frames side by side, enlarged four times over the surface it is seen on,
# beside the master bitmap as the skin packs it (pictures above their opacity masks), and under
# them a mock-up of the main window drawn from the skin (tools/skin-preview.py), enlarged twice.
# Usage: tools/skin-contact-sheet.sh [OUT.png]   (default: build/skin/contact-sheet.png)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
out="${1:-$root/build/skin/contact-sheet.png}"
"$root/tools/setup.sh"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 "$root/tools/make-skin.py" --options "$root/app/skin/Options.dat.in" \
        --out "$work/Kelvane.vtz" --images "$work/img"

# Another convert may come first on PATH; ImageMagick's is the one in /usr/bin.
convert=/usr/bin/convert
montage=/usr/bin/montage
mkdir -p "$work/tiles"
while read -r image surface; do
  name="${image%.bmp}"
  "$convert" "$work/img/$image" -background "$surface" -flatten -filter point -resize 400% \
             -bordercolor "$surface" -border 8 "$work/tiles/$name.png"
  # Small images get a white margin: every cell of the sheet is at least 240 x 100, so that the
  # names fit below them.
  size=$(/usr/bin/identify -format '%w %h' "$work/tiles/$name.png")
  width=$(( ${size% *} < 240 ? 240 : ${size% *} ))
  height=$(( ${size#* } < 100 ? 100 : ${size#* } ))
  "$convert" "$work/tiles/$name.png" -background '#FFFFFF' -gravity center -extent "${width}x${height}" \
             "$work/tiles/$name.png"
done < "$work/img/review.txt"

"$montage" -label '%t' -font DejaVu-Sans -pointsize 11 "$work/tiles"/*.png \
           -tile 6x -geometry +10+10 -background '#FFFFFF' "$work/images.png"
"$convert" "$work/img/MASTER.BMP" -filter point -resize 200% "$work/master.png"

# The mock-up: controls from the skin, then its texts at Tahoma 8 pt's size (13-pixel lines) in
# the font that Chinese captions fall back to.
python3 "$root/tools/skin-preview.py" --options "$root/app/skin/Options.dat.in" \
        --out "$work/preview.bmp" --texts "$work/texts.txt"
# Each text is drawn centred (or left-aligned) in its box and laid over the mock-up in one pass.
set -- "$work/preview.bmp"
while read -r x y w h align colour text; do
  gravity=West
  [ "$align" = c ] && gravity=Center
  set -- "$@" \( -size "${w}x${h}" -background none -fill "$colour" -font WenQuanYi-Micro-Hei \
         -pointsize 12 -gravity "$gravity" label:"$text" \) -gravity NorthWest -geometry "+$x+$y" -composite
done < "$work/texts.txt"
"$convert" "$@" "$work/preview.png"
"$convert" "$work/preview.png" -filter point -resize 200% "$work/preview2.png"

mkdir -p "$(dirname "$out")"
"$convert" "$work/images.png" \( "$work/master.png" -bordercolor '#FFFFFF' -border 10 \) \
           -background '#FFFFFF' -gravity north +append \
           \( "$work/preview2.png" -bordercolor '#FFFFFF' -border 10 \) -gravity northwest -append "$out"
echo "contact sheet: $out"
