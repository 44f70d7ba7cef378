// The URL collection: one anchor line for every file below a chosen folder,
// with the path relative to the edited document, in walk order.
#pragma once

#include <string_view>

#include "common/ansi_string.h"
#include "common/file_search.h"

namespace folverin {

// Walks folder (with or without its trailing "/") with search, whose Pump
// and Stop the window may set to keep itself alive and to cancel, and
// returns the lines to insert at the caret: <A HREF ="R"></A>, the line
// ending of the prompt dialog, CR LF. Only entries with the archive
// attribute (the regular files) get a line.
AnsiString CollectUrls(std::string_view editedFile, std::string_view folder, std::string_view lineEnding,
                       TFileSearch& search);

}  // namespace folverin
