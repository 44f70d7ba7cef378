// The folder for temporary files (the search result page is written there),
// always ending in a separator.
#pragma once

#include <string_view>

#include "common/ansi_string.h"

namespace folverin {

// The folder the program uses: $TMPDIR when it names an existing folder that
// has a Windows-1252 name, otherwise /tmp; with a trailing "/".
AnsiString GetTempDir();

// The Windows rule, applied to the path the system reports: everything up to
// and including its last backslash, or the empty text when it has none.
// Windows reports the path into a buffer of 127 characters; a longer path is
// taken whole here, as a larger buffer would give it, because the empty text
// would put the result page into whatever folder happens to be current.
AnsiString GetTempDirWindows(std::string_view systemTempPath);

}  // namespace folverin
