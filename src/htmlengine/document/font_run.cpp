#include "htmlengine/document/font_run.h"

namespace folverin {

namespace {

// What layout reads of the realised font for every line, kept at hand.
void TakeMeasures(TFontObj& run) {
  const TRealisedFont& font = *run.Font;
  run.FontHeight = font.Height;
  run.MaxCharWidth = font.MaxCharWidth;
  run.LineHeight = font.Height + font.ExternalLeading;
  run.Descent = font.Descent;
  run.Overhang = (font.Style & kFontItalic) ? font.Height / 10 : 0;
}

}  // namespace

TFontObj::TFontObj(TSection* section, int pos, TProperties& properties, const FontMetrics& metrics)
    : Section(section),
      Pos(pos),
      Font(properties.SharedFont(metrics)),
      LinkFonts(properties.LinkFonts) {
  TakeMeasures(*this);
}

void TFontObj::SetFont(TProperties& properties, const FontMetrics& metrics) {
  Font = properties.SharedFont(metrics);
  TakeMeasures(*this);
  LinkFonts = properties.LinkFonts;
}

}  // namespace folverin
