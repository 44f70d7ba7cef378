// A client-side image map (TMapItem) with its areas.
#pragma once

#include <vector>

#include "common/ansi_string.h"

namespace folverin {

struct TMapArea {
  AnsiString Href, Target, Alt, Shape, Coords;
  bool NoHref = false;
};

class TMapItem {
 public:
  AnsiString MapName;  // upper case
  std::vector<TMapArea> Areas;
};

}  // namespace folverin
