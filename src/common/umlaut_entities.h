// The German umlaut entities that link targets in the collections are
// written with, decoded for comparison with file names on disk.
#pragma once

#include <string_view>

#include "common/ansi_string.h"

namespace folverin {

// Trims the text, then decodes &auml; &uuml; &ouml; and &szlig; in any letter
// case, always to the lower-case letter (the link check upper-cases links
// before it asks). Every other entity stays as written.
AnsiString EntitiesToUmlauts(std::string_view text);

}  // namespace folverin
