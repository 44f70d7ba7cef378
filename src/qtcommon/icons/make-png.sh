#!/bin/sh
# Renders the tool button pictures from their SVG sources (ImageMagick).
cd "$(dirname "$0")" && for svg in *.svg; do
  convert -background none -density 96 "$svg" -resize 22x22 "${svg%.svg}.png"
done
