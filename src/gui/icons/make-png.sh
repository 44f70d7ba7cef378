#!/bin/sh
# Renders the program icon in the sizes of the hicolor theme from its SVG
# source (ImageMagick).
cd "$(dirname "$0")" && for size in 16 24 32 48 64 128 256; do
  convert -background none -density 384 folverin.svg -resize "${size}x${size}" -strip "PNG32:folverin-$size.png"
done
