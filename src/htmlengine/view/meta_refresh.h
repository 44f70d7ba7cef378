// The two parts of a META refresh's CONTENT ("5; URL=next.htm").
#pragma once

#include <string_view>

#include "common/ansi_string.h"

namespace folverin {

// The integer before the first ";" (the whole content when there is none);
// -1 when that is not an integer. Blanks around the number are allowed.
int MetaRefreshDelay(std::string_view content);
// The text after the first "url=" (in any case), or empty.
AnsiString MetaRefreshAddress(std::string_view content);

}  // namespace folverin
