// Separator conversion between Windows paths and the forward-slash form
// written into HTML links. Both change the text in place and keep its length.
#pragma once

#include "common/ansi_string.h"

namespace folverin {

void BackslashToSlash(AnsiString& text);
void SlashToBackslash(AnsiString& text);

}  // namespace folverin
