// One font run of a section (TFontObj): from its buffer index on, the
// section's text is drawn and measured in this font, and belongs to the link
// the run carries.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "htmlengine/document/url_target.h"
#include "htmlengine/style/property_set.h"
#include "htmlengine/support/font_metrics.h"

namespace folverin {

class TSection;

class TFontObj {
 public:
  TFontObj(TSection* section, int pos, TProperties& properties, const FontMetrics& metrics);

  // Takes the font (and link fonts) of another property set; the start stays.
  void SetFont(TProperties& properties, const FontMetrics& metrics);
  bool IsLink() const { return UrlTarget.has_value(); }

  TSection* Section;  // the owner
  int Pos;            // buffer index of the first character of the run
  // Shared with the property set it came from (fonts never change once
  // realised); what layout reads for every line is copied out below.
  std::shared_ptr<const TRealisedFont> Font;
  int FontHeight = 0;
  int MaxCharWidth = 0;
  int LineHeight = 0;  // height + external leading
  int Descent = 0;
  int Overhang = 0;  // italic fonts lean into the next character
  std::optional<TUrlTarget> UrlTarget;
  TSharedLinkFonts LinkFonts;
  bool Visited = false;
  bool Hover = false;
};

// Held by value: a section has a few runs, and one allocation for all of
// them instead of one each keeps building and freeing sections cheap.
using TFontList = std::vector<TFontObj>;

}  // namespace folverin
