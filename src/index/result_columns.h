// The widths of the quick search's result columns for a grid width.
#pragma once

#include <optional>

namespace folverin {

struct TResultColumnWidths {
  int Title = 0;
  std::optional<int> Document;  // left as it is (0) when the column is hidden
  int Count = 0;
};

// "Titel" 40 and "Dokument" 45 per cent, or "Titel" 85 per cent with the
// document column hidden; "Anzahl" 15 per cent. Computed in single precision
// and cut to whole pixels, as the window always did: 308 pixels give 261
// and 46.
TResultColumnWidths ResultColumnWidths(int gridWidth, bool hideDocumentColumn);

}  // namespace folverin
