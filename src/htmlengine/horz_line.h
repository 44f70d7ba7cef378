// A horizontal rule (THorzLine) and a page break (TPage): items without
// text of their own.
#pragma once

#include "htmlengine/property_slots.h"
#include "htmlengine/section_item.h"

namespace folverin {

class THorzLine : public TSectionBase {
 public:
  using TSectionBase::TSectionBase;
  // A rule stands on a line of its own in the text.
  bool CollectSelectedText(TSelTextCount& collector, int selStart, int selEnd) override;

  int VSize = 2;  // thickness
  int Align = 0;
  bool NoShade = false;
  TColour Color = NoColour;
  int Width = 0;
  bool WidthPercent = true;
};

// Where printing starts a new page.
class TPage : public TSectionBase {
 public:
  using TSectionBase::TSectionBase;
};

}  // namespace folverin
