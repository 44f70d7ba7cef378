#include "htmlengine/horz_line.h"

#include "htmlengine/selected_text.h"

namespace folverin {

bool THorzLine::CollectSelectedText(TSelTextCount& collector, int, int) {
  collector.Put(u"\r\n", 2);
  return false;
}

}  // namespace folverin
