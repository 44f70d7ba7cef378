// The quick search's lookup: the documents that contain one keyword, read
// from Link.iDB, as rows of the result grid, and the grid's sort by count.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "common/ansi_string.h"
#include "index/index_files.h"

namespace folverin {

// One row of the grid "Titel" / "Dokument" / "Anzahl".
struct TLookupRow {
  AnsiString Title;
  AnsiString Path;   // relative to AppFolder + StartFolder, native separators
  AnsiString Count;  // as Link.iDB writes it
};

struct TLookupResult {
  // In the order of Link.iDB (file number order), not yet sorted.
  std::vector<TLookupRow> Rows;
  // "'%s' ist kein gültiger Integerwert" for a file number that is not an
  // integer: the lookup ended there, Rows holds what came before.
  std::optional<AnsiString> Error;
};

// The lines of Link.iDB whose keyword field equals `keyword` exactly (case
// counts). File numbers outside 1..documents.size() find nothing.
TLookupResult LookupKeyword(std::string_view linkBytes, std::string_view keyword,
                            const std::vector<TDocumentEntry>& documents);

// The same over the index folder's Link.iDB (found without regard to letter
// case); nothing when that file cannot be read.
std::optional<TLookupResult> LookupKeywordInIndex(std::string_view indexFolder, std::string_view keyword,
                                                  const std::vector<TDocumentEntry>& documents);

// The grid's quicksort over rows[first..last] by count, most first (or
// fewest first). Equal counts end in the order this particular quicksort
// leaves them, which the user sees, so it is kept exactly. A count that is
// no number sorts as 0.
void SortRows(std::vector<TLookupRow>& rows, size_t first, size_t last, bool ascending);

// The whole grid sorted as the quick search shows it: by count, descending.
void SortRowsByCount(std::vector<TLookupRow>& rows);

}  // namespace folverin
