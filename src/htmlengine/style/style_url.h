// url(...) values of linked style sheets, made independent of the sheet's
// location.
#pragma once

#include <string_view>

#include "common/ansi_string.h"

namespace folverin {

// Local paths in the program's form ("/" paths) or in the Windows form the
// collections were written for (drives, "\\" network paths, "\" separators).
enum class TStylePathForm { Native, Windows };

// Rewrites the url(...) in value against base: a local folder (ending in its
// separator) or a web address. Absolute addresses and paths stay as they are.
AnsiString ResolveStyleUrl(std::string_view value, std::string_view base,
                           TStylePathForm form = TStylePathForm::Native);

// A relative web address combined with the address of its folder: "/" is the
// site root, "//" keeps only the scheme, "./" and "../" segments go away.
AnsiString CombineWebAddress(std::string_view base, std::string_view relative);

}  // namespace folverin
