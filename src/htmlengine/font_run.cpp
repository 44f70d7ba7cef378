#include "htmlengine/font_run.h"

namespace folverin {

TFontObj::TFontObj(TSection* section, int pos, TProperties& properties, const FontMetrics& metrics)
    : Section(section), Pos(pos) {
  SetFont(properties, metrics);
}

void TFontObj::SetFont(TProperties& properties, const FontMetrics& metrics) {
  Font = properties.GetFont(metrics);
  FontHeight = Font.Height;
  MaxCharWidth = Font.MaxCharWidth;
  LineHeight = Font.Height + Font.ExternalLeading;
  Descent = Font.Descent;
  Overhang = (Font.Style & kFontItalic) ? Font.Height / 10 : 0;
  LinkFonts = properties.LinkFonts;
}

}  // namespace folverin
