#include "htmlengine/document/horz_line.h"

#include "htmlengine/document/selected_text.h"

namespace folverin {

bool THorzLine::CollectSelectedText(TSelTextCount& collector, int, int) {
  collector.Put(u"\r\n", 2);
  return false;
}

}  // namespace folverin
