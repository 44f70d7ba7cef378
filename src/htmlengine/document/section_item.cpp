#include "htmlengine/document/section_item.h"

namespace folverin {

int TSectionBase::Layout(int /*x*/, int y, int /*width*/, int& cursor, int& /*maxWidth*/,
                         IndentManager& /*indents*/) {
  YPosition = BoxTop = PaintTop = y;
  TextStart = cursor;
  TextLength = 0;
  BoxBottom = PaintBottom = y + Height;
  return Height;
}

}  // namespace folverin
