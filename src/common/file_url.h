// Local paths from "file://" addresses, as the browser reports them.
#pragma once

#include <string_view>

#include "common/ansi_string.h"

namespace folverin {

// The program's form: file:///home/a%20b.htm gives /home/a b.htm. The root
// "/" stays (a run of leading slashes becomes one); "file://" is removed only
// in lower case, like the Windows form does.
AnsiString FileURLToPath(std::string_view url);

// The Windows form: decoded, "file://" removed, every leading "/" removed and
// the rest turned into backslashes (file:///C:/a%20b.htm gives C:\a b.htm).
AnsiString FileURLToPathWindows(std::string_view url);

}  // namespace folverin
