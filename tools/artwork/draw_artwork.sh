#!/usr/bin/env bash
# Draws the program's pictures with ImageMagick and writes them to
# app/resources/images/. Not part of the build: run it after changing a
# drawing, look at the results, and commit them.
#
# Each picture is drawn at eight times its size and scaled down, which gives
# smooth edges at the sizes the forms show.
set -euo pipefail
cd "$(dirname "$0")/../.."
out=app/resources/images
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Add picture, 40 x 39, 24-bit on the form's white: a table sheet with a
# green plus badge.
convert -size 320x312 xc:white \
  -fill '#f4f7fb' -stroke '#4f6f94' -strokewidth 10 -draw 'roundrectangle 20,36 226,268 18,18' \
  -fill '#4f6f94' -stroke none -draw 'roundrectangle 20,36 226,96 18,18' -draw 'rectangle 20,70 226,96' \
  -stroke '#9fb3c8' -strokewidth 8 -draw 'line 30,152 216,152' -draw 'line 30,210 216,210' \
  -draw 'line 108,100 108,262' \
  -fill '#2e9d4a' -stroke white -strokewidth 14 -draw 'circle 232,222 232,146' \
  -fill white -stroke none -draw 'rectangle 220,176 244,268' -draw 'rectangle 186,210 278,234' \
  "$work/add.png"
convert "$work/add.png" -filter Lanczos -resize 40x39\! -depth 8 -type TrueColor -define png:color-type=2 \
  "$out/add.png"

# Remove picture, 32 x 37, 24-bit on white: a red waste bin.
convert -size 256x296 xc:white \
  -fill none -stroke '#922b21' -strokewidth 14 -draw 'roundrectangle 92,14 164,54 10,10' \
  -fill '#c0392b' -stroke none -draw 'roundrectangle 20,40 236,78 12,12' \
  -fill '#e74c3c' -stroke '#922b21' -strokewidth 10 -draw 'polygon 40,90 216,90 198,282 58,282' \
  -stroke white -strokewidth 14 -draw 'line 92,122 98,250' -draw 'line 128,122 128,250' \
  -draw 'line 164,122 158,250' \
  "$work/remove.png"
convert "$work/remove.png" -filter Lanczos -resize 32x37\! -depth 8 -type TrueColor -define png:color-type=2 \
  "$out/remove.png"

# Window icon: a database drum with a table in front, 48, 32, 24 and 16
# pixels, 256 colours, in one icon file.
convert -size 384x384 xc:none \
  -fill '#2f6fb3' -stroke '#1d4f86' -strokewidth 8 -draw 'rectangle 40,70 300,290' \
  -draw 'ellipse 170,290 130,46 0,180' \
  -stroke none -draw 'rectangle 44,70 296,290' \
  -fill none -stroke '#7fb3ea' -strokewidth 10 -draw 'ellipse 170,150 124,44 10,170' \
  -draw 'ellipse 170,220 124,44 10,170' \
  -fill '#8cc0f0' -stroke '#1d4f86' -strokewidth 8 -draw 'ellipse 170,70 130,46 0,360' \
  -fill white -stroke '#4f4f4f' -strokewidth 10 -draw 'roundrectangle 196,212 372,372 14,14' \
  -fill '#e67e22' -stroke none -draw 'roundrectangle 201,217 367,260 10,10' -draw 'rectangle 201,240 367,262' \
  -stroke '#9a9a9a' -strokewidth 8 -draw 'line 206,310 362,310' -draw 'line 262,266 262,366' \
  "$work/icon.png"
for size in 48 32 24 16; do
  # A palette icon has a one-bit mask: each pixel is shown or not.
  convert "$work/icon.png" -filter Lanczos -resize ${size}x${size} \
    -channel A -threshold 50% +channel "$work/icon-$size.png"
done
convert "$work/icon-48.png" "$work/icon-32.png" "$work/icon-24.png" "$work/icon-16.png" \
  -colors 256 "$out/bastara.ico"

# The same icon for the desktop's launcher (hicolor theme): the four sizes of
# the icon file, as the window shows them, and the drawing at 256 pixels with
# its smooth edges.
icons=packaging/icons
for index_size in 0:48 1:32 2:24 3:16; do
  convert "$out/bastara.ico[${index_size%:*}]" -strip "$icons/bastara-${index_size#*:}.png"
done
convert "$work/icon.png" -filter Lanczos -resize 256x256 -strip "$icons/bastara-256.png"
