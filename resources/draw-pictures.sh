#!/usr/bin/env bash
# Draws the program icon, the splash picture and the about banner from scratch.
# Needs ImageMagick 6 and the Noto Sans CJK fonts (fonts-noto-cjk); the results are committed,
# so building never runs this. Run it from anywhere: it writes beside itself.
set -euo pipefail
cd "$(dirname "$0")"

bold=Noto-Sans-CJK-SC-Bold
regular=Noto-Sans-CJK-SC
orange='#ff8000'
navy='#1b2a4a'
# Class block colours, shared by all three pictures so they look like one family.
blocks=('#4c9be8' '#f2a541' '#5cc08a' '#e66a6a' '#a77be0')

# The splash shows major.minor of the version typed in CMakeLists.txt.
version=$(sed -n 's/^project(orvanto VERSION \([0-9]*\.[0-9]*\).*/\1/p' ../CMakeLists.txt)
[[ -n $version ]] || { echo "draw-pictures: no version in ../CMakeLists.txt" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# --- icon: a calendar page with an orange header and a few class blocks --------------------
# Drawn once large, then scaled; the 16 px image is kept simple enough to read.
icon_draw=(
  -fill white -stroke '#b8c2d6' -strokewidth 6 -draw 'roundrectangle 20,28 236,236 28,28'
  -stroke none -fill "$orange" -draw 'roundrectangle 20,28 236,96 28,28'
  -draw 'rectangle 20,70 236,96'
  -fill "$navy" -draw 'roundrectangle 70,12 86,54 8,8' -draw 'roundrectangle 170,12 186,54 8,8'
  -fill "${blocks[0]}" -draw 'roundrectangle 42,114 118,160 10,10'
  -fill "${blocks[2]}" -draw 'roundrectangle 138,114 214,160 10,10'
  -fill "${blocks[1]}" -draw 'roundrectangle 42,178 118,218 10,10'
  -fill '#dfe5ef' -draw 'roundrectangle 138,178 214,218 10,10'
)
convert -size 256x256 xc:none "${icon_draw[@]}" "$work/icon256.png"
convert "$work/icon256.png" -filter Lanczos -resize 48x48 -depth 8 -strip orvanto.png
# 16 px at 8 bits per pixel (palette plus a one-bit mask, hence the alpha threshold), the
# larger three at 32 bits with alpha.
convert "$work/icon256.png" \
  \( -clone 0 -filter Lanczos -resize 16x16 -channel A -threshold 50% +channel -type PaletteMatte \) \
  \( -clone 0 -filter Lanczos -resize 24x24 -type TrueColorMatte \) \
  \( -clone 0 -filter Lanczos -resize 32x32 -type TrueColorMatte \) \
  \( -clone 0 -filter Lanczos -resize 48x48 -type TrueColorMatte \) \
  -delete 0 orvanto.ico

# Prints the bits per pixel of each image in the icon's directory.
icon_depths() {
  local count i
  count=$(od -An -tu2 -j4 -N2 "$1" | tr -d ' ')
  for ((i = 0; i < count; i++)); do
    printf '%sx%s@%s ' "$(od -An -tu1 -j$((6 + 16 * i)) -N1 "$1" | tr -d ' ')" \
      "$(od -An -tu1 -j$((7 + 16 * i)) -N1 "$1" | tr -d ' ')" \
      "$(od -An -tu2 -j$((12 + 16 * i)) -N2 "$1" | tr -d ' ')"
  done
  echo
}
depths=$(icon_depths orvanto.ico)
if [[ "$depths" != "16x16@8 24x24@32 32x32@32 48x48@32 " ]]; then
  echo "draw-pictures: unexpected icon images: $depths" >&2
  exit 1
fi

# --- a small timetable grid: columns x rows cells of w x h from (x, y), some cells filled --
# grid_draw X Y COLUMNS ROWS W H GAP FILLED... where FILLED are "column,row,colour-index".
grid_draw() {
  local x=$1 y=$2 columns=$3 rows=$4 w=$5 h=$6 gap=$7
  shift 7
  local c r
  for ((r = 0; r < rows; r++)); do
    for ((c = 0; c < columns; c++)); do
      local x0=$((x + c * (w + gap))) y0=$((y + r * (h + gap)))
      printf -- '-fill\n#ffffff14\n-draw\nroundrectangle %d,%d %d,%d 4,4\n' \
        "$x0" "$y0" $((x0 + w)) $((y0 + h))
    done
  done
  local cell
  for cell in "$@"; do
    IFS=, read -r c r k <<<"$cell"
    local x0=$((x + c * (w + gap))) y0=$((y + r * (h + gap)))
    printf -- '-fill\n%s\n-draw\nroundrectangle %d,%d %d,%d 4,4\n' \
      "${blocks[k]}" "$x0" "$y0" $((x0 + w)) $((y0 + h))
  done
}

# --- splash: 357 x 435, navy fading to the black band the window shows under it ------------
mapfile -t splash_grid < <(grid_draw 34 212 7 5 37 26 4 \
  0,0,0 2,0,0 1,1,1 3,1,2 4,0,3 0,2,2 2,2,4 5,2,1 1,3,3 3,3,0 4,4,4 6,1,2)
weekdays=(一 二 三 四 五 六 日)
splash_heads=()
for ((c = 0; c < 7; c++)); do
  splash_heads+=(-annotate "+$((46 + c * 41))+188" "${weekdays[c]}")
done
convert -size 357x435 gradient:"$navy"-'#000000' \
  -fill '#ffffff10' -stroke none -draw 'circle 300,60 420,60' \
  -font "$bold" -fill white -pointsize 46 -gravity north -annotate +0+34 '我的课表' \
  -font "$bold" -fill "$orange" -pointsize 26 -annotate +0+106 'Orvanto' \
  -fill "$orange" -draw 'rectangle 128,150 229,152' \
  -gravity northwest -font "$regular" -pointsize 13 -fill '#c9d3e6' "${splash_heads[@]}" \
  "${splash_grid[@]}" \
  -font "$regular" -pointsize 12 -fill '#8d99b3' -gravity south \
  -annotate +0+22 "版本 $version · Pellwick 专用版" \
  -strip -quality 92 -sampling-factor 4:4:4 splash.jpg

# --- about banner: 400 x 108; the last column is cut off by the window, so keep it plain ----
convert -size 108x400 gradient:'#fff4e6'-'#ffffff' -rotate -90 \
  \( "$work/icon256.png" -filter Lanczos -resize 76x76 \) -geometry +18+14 -composite \
  -font "$bold" -fill "$navy" -pointsize 32 -annotate +110+52 'Orvanto' \
  -font "$regular" -fill '#5a6478' -pointsize 15 -annotate +112+80 '我的课表 · 一周课程一目了然' \
  -fill "$orange" -draw 'rectangle 0,104 400,107' \
  -strip +dither -colors 128 banner.gif

identify splash.jpg banner.gif orvanto.png
echo "orvanto.ico: $depths"
