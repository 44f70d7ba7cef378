// The text position pass: gives every item of a cell, in document order,
// its share of one running count of characters, and every section its
// lines. Layout with geometry takes this pass over once lines are broken
// by width; the positions it gives must stay the same.
#pragma once

namespace folverin {

class TCellBasic;

// Starts at `cursor` and leaves it after the cell's last position.
void AssignTextPositions(TCellBasic& cell, int& cursor);

}  // namespace folverin
