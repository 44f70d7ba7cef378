#include "common/separators.h"

#include <algorithm>

namespace folverin {

void BackslashToSlash(AnsiString& text) { std::replace(text.begin(), text.end(), '\\', '/'); }

void SlashToBackslash(AnsiString& text) { std::replace(text.begin(), text.end(), '/', '\\'); }

}  // namespace folverin
