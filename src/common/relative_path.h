// Relative paths for links written into HTML documents.
#pragma once

#include <string_view>

#include "common/ansi_string.h"

namespace folverin {

// The path of destFile relative to baseFolder (which ends in "/"); names are
// compared exactly. When one of them is absolute and the other is not, no
// relative path exists and destFile comes back unchanged.
AnsiString MakeRelativePath(std::string_view baseFolder, std::string_view destFile);

// The Windows rule: drive parts ("C:" or "\\server\share") compared without
// regard to case, destFile unchanged when they differ; folder names compared
// without regard to ASCII case; "\" separates.
AnsiString MakeRelativePathWindows(std::string_view baseFolder, std::string_view destFile);

}  // namespace folverin
