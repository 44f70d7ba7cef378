#include "htmlengine/section_item.h"

namespace folverin {

bool TSectionBase::BeginTextPositions(int& cursor) {
  TextStart = cursor;
  TextLength = 0;
  return IsDisplayed() && ChildCellCount() > 0;
}

}  // namespace folverin
