// The link in force while text is built: where it leads, in which frame,
// and its place in the keyboard order.
#pragma once

#include "common/ansi_string.h"

namespace folverin {

struct TUrlTarget {
  AnsiString Url;
  AnsiString Target;
  int TabIndex = 0;
  bool operator==(const TUrlTarget&) const = default;
};

}  // namespace folverin
