#include "htmlengine/font_run.h"

namespace folverin {

namespace {

// What layout reads of the realised font for every line, kept at hand.
void TakeMeasures(TFontObj& run) {
  const TRealisedFont& font = run.Font;
  run.FontHeight = font.Height;
  run.MaxCharWidth = font.MaxCharWidth;
  run.LineHeight = font.Height + font.ExternalLeading;
  run.Descent = font.Descent;
  run.Overhang = (font.Style & kFontItalic) ? font.Height / 10 : 0;
}

}  // namespace

// The font is copied straight into place: a run is made for most changes of
// font, and building it empty first and assigning after costs a copy more.
TFontObj::TFontObj(TSection* section, int pos, TProperties& properties, const FontMetrics& metrics)
    : Section(section), Pos(pos), Font(properties.GetFont(metrics)), LinkFonts(properties.LinkFonts) {
  TakeMeasures(*this);
}

void TFontObj::SetFont(TProperties& properties, const FontMetrics& metrics) {
  Font = properties.GetFont(metrics);
  TakeMeasures(*this);
  LinkFonts = properties.LinkFonts;
}

}  // namespace folverin
