#!/bin/sh
# Renders the tool button pictures from their SVG sources (ImageMagick):
# 22 pixels for the browser window's bar, 16 pixels (in 16/) for the
# editor's smaller bar.
cd "$(dirname "$0")" && mkdir -p 16 && for svg in *.svg; do
  convert -background none -density 96 "$svg" -resize 22x22 "${svg%.svg}.png"
  convert -background none -density 96 "$svg" -resize 16x16 "16/${svg%.svg}.png"
done
