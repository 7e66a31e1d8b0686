#!/usr/bin/env bash
# Draws the window's pictures with ImageMagick: the maker's logo (219 x 50
# JPEG), the success and failure icons (32 x 32) and the application icon,
# each also at twice the size (name@2x) for screens that scale by more than 1,
# and the application icon in the sizes a desktop icon theme asks for.
# The results are committed; run this again only to change them.
#
# Every shape is given once, in 1x pixel coordinates; -affine scales the
# drawing, moving the origin so that pixel centres stay pixel centres.
set -euo pipefail
cd "$(dirname "$0")"
font=DejaVu-Sans-Bold

# scale_xy K: the -affine option that draws 1x coordinates (and line widths)
# K times larger.
scale_xy() {
  local t
  t=$(echo "($1 - 1) / 2" | bc -l | sed 's/^\./0./;s/^-\./-0./')
  echo "-affine $1,0,0,$1,$t,$t"
}

# logo K FILE
logo() {
  convert -size $((219 * $1))x$((50 * $1)) xc:white $(scale_xy "$1") \
    -fill '#0b4f9c' -draw 'roundrectangle 4,7 44,43 9,9' \
    -fill white -draw 'polygon 13,35 13,15 18,15 29,28 29,15 35,15 35,35 30,35 19,22 19,35' \
    -fill '#f08a00' -draw 'rectangle 52,40 212,42' \
    +affine \
    -font "$font" -pointsize $((27 * $1)) -fill '#0b4f9c' -annotate +$((51 * $1))+$((35 * $1)) 'NORVO' \
    -font DejaVu-Sans -pointsize $((9 * $1)) -fill '#555555' -annotate +$((168 * $1))+$((35 * $1)) 'networks' \
    -strip -quality 92 -sampling-factor 1x1 "$2"
}

# outcome K COLOUR EDGE FILE SHAPE...: a round badge with a white mark.
outcome() {
  local k=$1 colour=$2 edge=$3 file=$4
  shift 4
  convert -size $((32 * k))x$((32 * k)) xc:none $(scale_xy "$k") \
    -fill "$colour" -stroke "$edge" -strokewidth 1 -draw 'circle 15.5,15.5 15.5,1' \
    -fill none -stroke white -strokewidth 4 "$@" \
    -strip "$file"
}

# app_icon SIZE FILE: the 64 x 64 drawing at SIZE x SIZE.
app_icon() {
  convert -size "$1x$1" xc:none $(scale_xy "$(echo "$1 / 64" | bc -l)") \
    -fill '#0b4f9c' -draw 'roundrectangle 2,2 61,61 12,12' \
    -fill white -draw 'polygon 16,48 16,16 24,16 40,37 40,16 48,16 48,48 40,48 24,27 24,48' \
    -fill '#f08a00' -draw 'rectangle 16,52 48,55' \
    -strip "$2"
}

for k in 1 2; do
  at=$([ "$k" = 1 ] || echo "@${k}x")
  logo "$k" "norvo_logo$at.jpg"
  outcome "$k" '#2e9e3e' '#1d6d29' "outcome_success$at.png" \
    -draw 'stroke-linecap round stroke-linejoin round polyline 8,16 13,22 24,10'
  outcome "$k" '#c62828' '#8e1b1b' "outcome_failure$at.png" \
    -draw 'stroke-linecap round line 10,10 21,21' -draw 'stroke-linecap round line 21,10 10,21'
  app_icon $((64 * k)) "app_icon$at.png"
done

# The other sizes a desktop's icon theme asks for (hicolor/SIZExSIZE/apps;
# 64 and 128 are app_icon and app_icon@2x). app_icon.svg beside this script
# is the same drawing written by hand, for any other size.
mkdir -p icons
for size in 16 24 32 48 256; do
  app_icon "$size" "icons/app_icon_$size.png"
done
