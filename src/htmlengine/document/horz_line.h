// A horizontal rule (THorzLine) and a page break (TPage): items without
// text of their own.
#pragma once

#include "htmlengine/document/section_item.h"
#include "htmlengine/style/property_slots.h"

namespace folverin {

class THorzLine : public TSectionBase {
 public:
  using TSectionBase::TSectionBase;
  // A rule stands on a line of its own in the text.
  bool CollectSelectedText(TSelTextCount& collector, int selStart, int selEnd) override;
  int Layout(int x, int y, int width, int& cursor, int& maxWidth, IndentManager& indents) override;
  void MeasureWidths(int& minWidth, int& maxWidth) override;

  static constexpr int kRuleSpace = 6;  // above and below the line

  int VSize = 2;  // thickness
  int Align = 0;
  bool NoShade = false;
  TColour Color = NoColour;
  int Width = 0;
  bool WidthPercent = true;
  // After layout.
  int LineLeft = 0, LineWidth = 0;
};

// Where printing starts a new page.
class TPage : public TSectionBase {
 public:
  using TSectionBase::TSectionBase;
};

}  // namespace folverin
