// Text positions without geometry, for content nested deeper than layout
// may recurse: every item of the cell gets its share of the running count
// in document order, every section its text as one line. The positions are
// the ones layout gives; only the geometry is missing.
#pragma once

namespace folverin {

class TCellBasic;

// Starts at `cursor` and leaves it after the cell's last position; every
// item is put at y.
void AssignTextPositions(TCellBasic& cell, int y, int& cursor);

}  // namespace folverin
