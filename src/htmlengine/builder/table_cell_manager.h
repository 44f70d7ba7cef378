// Which column definition (COL, COLGROUP) each cell of a table starts in,
// while the table is parsed (TCellManager). A cell takes the first column
// of its row that no cell above reaches down into, and then covers its
// spans from there.
#pragma once

#include <cstdint>
#include <vector>

namespace folverin {

class TCellManager {
 public:
  explicit TCellManager(int columns) { SetColumns(columns); }
  // More definitions arrived; their columns are free in every row.
  void SetColumns(int columns);
  // The column of a new cell in `row`; -1 when every column is taken.
  int ColumnOf(int row) const;
  // Covers `rowSpan` rows from `row` on and up to `colSpan` columns from the
  // cell's column; returns the columns covered (colSpan when the row has
  // no free column, as nothing is covered then).
  int Mark(int row, int rowSpan, int colSpan);

 private:
  // Rows are parsed in order, so per column it is enough to know the first
  // row from which on it is free again.
  std::vector<int64_t> TakenUntil;
};

}  // namespace folverin
