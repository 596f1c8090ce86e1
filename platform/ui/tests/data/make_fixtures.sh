#!/bin/sh
# Makes the picture fixtures of the graphics tests with ImageMagick (run once; the files are
# committed). Every picture is 16 x 12 pixels: red top-left quarter, lime top-right, blue
# bottom-left, white bottom-right. The alpha pictures leave the top-right quarter fully
# transparent and make the bottom-right one half transparent white.
set -e
cd "$(dirname "$0")"
quad() { convert -size 16x12 xc:white -fill '#FF0000' -draw 'rectangle 0,0 7,5' \
  -fill '#00FF00' -draw 'rectangle 8,0 15,5' -fill '#0000FF' -draw 'rectangle 0,6 7,11' "$@"; }
alpha() { convert -size 16x12 xc:none -fill '#FF0000' -draw 'rectangle 0,0 7,5' \
  -fill '#0000FF' -draw 'rectangle 0,6 7,11' -fill 'rgba(255,255,255,0.5)' -draw 'rectangle 8,6 15,11' "$@"; }
quad -type TrueColor BMP3:quad24.bmp
quad PNG24:quad.png
quad -quality 95 quad.jpg
quad -type Palette BMP3:quad8.bmp
quad PNG8:quad-palette.png
quad -depth 16 PNG48:quad16.png
quad -colorspace Gray -depth 8 PNG:grey.png
quad -colorspace Gray -quality 95 grey.jpg
alpha PNG32:alpha.png
alpha BMP:alpha32.bmp
alpha -background none -extent 16x16 alpha-icon.ico
python3 make_variants.py
