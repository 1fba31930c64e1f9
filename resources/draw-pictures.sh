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
# grid_draw X Y COLUMNS ROWS W H GAP RADIUS FILLED... where FILLED are "column,row,colour-index".
grid_draw() {
  local x=$1 y=$2 columns=$3 rows=$4 w=$5 h=$6 gap=$7 radius=$8
  shift 8
  local c r
  for ((r = 0; r < rows; r++)); do
    for ((c = 0; c < columns; c++)); do
      local x0=$((x + c * (w + gap))) y0=$((y + r * (h + gap)))
      printf -- '-fill\n#ffffff14\n-draw\nroundrectangle %d,%d %d,%d %d,%d\n' \
        "$x0" "$y0" $((x0 + w)) $((y0 + h)) "$radius" "$radius"
    done
  done
  local cell
  for cell in "$@"; do
    IFS=, read -r c r k <<<"$cell"
    local x0=$((x + c * (w + gap))) y0=$((y + r * (h + gap)))
    printf -- '-fill\n%s\n-draw\nroundrectangle %d,%d %d,%d %d,%d\n' \
      "${blocks[k]}" "$x0" "$y0" $((x0 + w)) $((y0 + h)) "$radius" "$radius"
  done
}

# Each picture is drawn at 1x and at 2x (for screens at 200 %), from the same coordinates
# multiplied by the scale, so the 2x one is as sharp as the screen.
draw_splash() {
  local s=$1 out=$2
  local c
  mapfile -t splash_grid < <(grid_draw $((34 * s)) $((212 * s)) 7 5 $((37 * s)) $((26 * s)) $((4 * s)) $((4 * s)) \
    0,0,0 2,0,0 1,1,1 3,1,2 4,0,3 0,2,2 2,2,4 5,2,1 1,3,3 3,3,0 4,4,4 6,1,2)
  local weekdays=(一 二 三 四 五 六 日)
  local splash_heads=()
  for ((c = 0; c < 7; c++)); do
    splash_heads+=(-annotate "+$(((46 + c * 41) * s))+$((188 * s))" "${weekdays[c]}")
  done
  convert -size $((357 * s))x$((435 * s)) gradient:"$navy"-'#000000' \
    -fill '#ffffff10' -stroke none -draw "circle $((300 * s)),$((60 * s)) $((420 * s)),$((60 * s))" \
    -font "$bold" -fill white -pointsize $((46 * s)) -gravity north -annotate +0+$((34 * s)) '我的课表' \
    -font "$bold" -fill "$orange" -pointsize $((26 * s)) -annotate +0+$((106 * s)) 'Orvanto' \
    -fill "$orange" -draw "rectangle $((128 * s)),$((150 * s)) $((229 * s)),$((152 * s + s - 1))" \
    -gravity northwest -font "$regular" -pointsize $((13 * s)) -fill '#c9d3e6' "${splash_heads[@]}" \
    "${splash_grid[@]}" \
    -font "$regular" -pointsize $((12 * s)) -fill '#8d99b3' -gravity south \
    -annotate +0+$((22 * s)) "版本 $version · Pellwick 专用版" \
    -strip -quality 92 -sampling-factor 4:4:4 "$out"
}

# --- about banner: 400 x 108; the last column is cut off by the window, so keep it plain ----
draw_banner() {
  local s=$1 out=$2
  convert -size $((108 * s))x$((400 * s)) gradient:'#fff4e6'-'#ffffff' -rotate -90 \
    \( "$work/icon256.png" -filter Lanczos -resize $((76 * s))x$((76 * s)) \) \
    -geometry +$((18 * s))+$((14 * s)) -composite \
    -font "$bold" -fill "$navy" -pointsize $((32 * s)) -annotate +$((110 * s))+$((52 * s)) 'Orvanto' \
    -font "$regular" -fill '#5a6478' -pointsize $((15 * s)) \
    -annotate +$((112 * s))+$((80 * s)) '我的课表 · 一周课程一目了然' \
    -fill "$orange" -draw "rectangle 0,$((104 * s)) $((400 * s)),$((108 * s - 1))" \
    -strip +dither -colors 128 "$out"
}

draw_splash 1 splash.jpg
draw_splash 2 splash@2x.jpg
draw_banner 1 banner.gif
draw_banner 2 banner@2x.gif

# --- the icon for desktops: every hicolor size, and a scalable one --------------------------
mkdir -p icons
for size in 16 24 32 48 64 128 256; do
  convert "$work/icon256.png" -filter Lanczos -resize ${size}x${size} -depth 8 -strip \
    "icons/orvanto-$size.png"
done

identify splash.jpg splash@2x.jpg banner.gif banner@2x.gif orvanto.png icons/*.png
echo "orvanto.ico: $depths"
