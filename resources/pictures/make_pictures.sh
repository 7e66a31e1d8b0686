#!/usr/bin/env bash
# Draws the window's pictures with ImageMagick: the maker's logo (219 x 50
# JPEG), the success and failure icons (32 x 32) and the application icon.
# The results are committed; run this again only to change them.
set -euo pipefail
cd "$(dirname "$0")"
font=DejaVu-Sans-Bold

convert -size 219x50 xc:white \
  -fill '#0b4f9c' -draw 'roundrectangle 4,7 44,43 9,9' \
  -fill white -draw 'polygon 13,35 13,15 18,15 29,28 29,15 35,15 35,35 30,35 19,22 19,35' \
  -font "$font" -pointsize 27 -fill '#0b4f9c' -annotate +51+35 'NORVO' \
  -fill '#f08a00' -draw 'rectangle 52,40 212,42' \
  -font DejaVu-Sans -pointsize 9 -fill '#555555' -annotate +168+35 'networks' \
  -strip -quality 92 -sampling-factor 1x1 norvo_logo.jpg

convert -size 32x32 xc:none \
  -fill '#2e9e3e' -stroke '#1d6d29' -strokewidth 1 -draw 'circle 15.5,15.5 15.5,1' \
  -fill none -stroke white -strokewidth 4 -draw 'stroke-linecap round stroke-linejoin round polyline 8,16 13,22 24,10' \
  -strip outcome_success.png

convert -size 32x32 xc:none \
  -fill '#c62828' -stroke '#8e1b1b' -strokewidth 1 -draw 'circle 15.5,15.5 15.5,1' \
  -stroke white -strokewidth 4 -draw 'stroke-linecap round line 10,10 21,21' -draw 'stroke-linecap round line 21,10 10,21' \
  -strip outcome_failure.png

convert -size 64x64 xc:none \
  -fill '#0b4f9c' -draw 'roundrectangle 2,2 61,61 12,12' \
  -fill white -draw 'polygon 16,48 16,16 24,16 40,37 40,16 48,16 48,48 40,48 24,27 24,48' \
  -fill '#f08a00' -draw 'rectangle 16,52 48,55' \
  -strip app_icon.png
