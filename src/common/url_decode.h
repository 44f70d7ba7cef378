// Percent escapes of addresses. "+" is not a space here: links in the
// collections are file names, where "+" is an ordinary character.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/ansi_string.h"

namespace folverin {

// Reads hexadecimal digits, with an optional trailing "H" (either case). Any
// other character makes the result 0; so does the empty text. Values beyond
// 64 bits wrap around.
int64_t HexToInt64(std::string_view text);

// Replaces every "%" and the two characters after it by the byte they name;
// a pair that is not hexadecimal, or missing, gives the byte 0.
AnsiString DecodeURL(std::string_view text);

// Replaces every "%" followed by two hexadecimal digits (either case) by the
// byte they name; any other "%" stays as it is. For addresses as the web
// engine reports them, where nothing was lost on the way.
std::string DecodeWellFormedEscapes(std::string_view text);

}  // namespace folverin
