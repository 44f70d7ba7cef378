#include "htmlengine/builder/table_cell_manager.h"

#include <algorithm>

namespace folverin {

void TCellManager::SetColumns(int columns) {
  if (columns > static_cast<int>(TakenUntil.size())) TakenUntil.resize(columns, 0);
}

int TCellManager::ColumnOf(int row) const {
  for (size_t c = 0; c < TakenUntil.size(); ++c)
    if (TakenUntil[c] <= row) return static_cast<int>(c);
  return -1;
}

int TCellManager::Mark(int row, int rowSpan, int colSpan) {
  const int first = ColumnOf(row);
  if (first < 0) return colSpan;
  // Columns that are free in the cell's row stay free in the rows below it,
  // so the first row decides how many columns the cell covers.
  int covered = 0;
  const int columns = static_cast<int>(TakenUntil.size());
  while (covered < colSpan && first + covered < columns && TakenUntil[first + covered] <= row) ++covered;
  const int64_t until = int64_t{row} + std::max(rowSpan, 1);
  for (int c = first; c < first + covered; ++c) TakenUntil[c] = until;
  return covered;
}

}  // namespace folverin
