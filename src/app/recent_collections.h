// The collections the user opened last, newest first: the viewer's folder
// dialog and its "Sammlung öffnen" menu offer them again.
#pragma once

#include <string_view>
#include <vector>

#include "common/ansi_string.h"

namespace folverin {

inline constexpr size_t kMaxRecentCollections = 10;

// A collection folder in the one form the list keeps: absolute (a relative
// path is taken from currentFolder), without "." and ".." parts, doubled
// separators or a trailing separator ("/" stays "/"). Two spellings of one
// folder thus give one entry. Empty for an empty path.
AnsiString NormalCollectionFolder(std::string_view path, std::string_view currentFolder);

// The list after opening folder (already normal): folder first, any earlier
// entry of the same folder gone, at most kMaxRecentCollections entries.
// Entries of a stored list that are empty or not normal are dropped on the
// way, so a list edited by hand comes back in shape.
std::vector<AnsiString> AddRecentCollection(std::vector<AnsiString> list, const AnsiString& folder);

// A stored list as the viewer uses it: normal entries only, each once, the
// first kMaxRecentCollections of them.
std::vector<AnsiString> CleanRecentCollections(const std::vector<AnsiString>& stored);

}  // namespace folverin
