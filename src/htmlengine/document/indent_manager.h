// The left and right edges available to text at any height of a cell
// (IndentManager): block margins narrow the whole cell from where they start,
// floating images and blocks only beside themselves.
#pragma once

#include <cstddef>
#include <vector>

namespace folverin {

class TFloatingObj;
class TSectionBase;

// A margin reaches down to the end of the cell.
inline constexpr int kMarginBottom = 9999999;

struct IndentRec {
  int Edge = 0;  // x, relative to LeftBase
  int Top = 0;
  int Bottom = 0;  // the entry applies for Top <= y < Bottom
  const void* Owner = nullptr;  // the block or cell of a margin; none for a float
  bool IsFloat = false;
};

// The entries of one side. Margins end in the order they were added and
// are few (one per enclosing block); floats stay until the cell is laid
// out again and can be thousands, so they are kept ordered by their bottom:
// a query at y looks only at those that reach below y.
struct TIndentSide {
  std::vector<IndentRec> Margins;
  std::vector<IndentRec> Floats;  // ascending Bottom
  std::size_t size() const { return Margins.size() + Floats.size(); }
  bool empty() const { return size() == 0; }
  void clear() {
    Margins.clear();
    Floats.clear();
  }
  void AddFloat(const IndentRec& rec);
};

// Both edges at a height, and how far down they stay as they are.
struct TEdgeSpan {
  int Left = 0;
  int Right = 0;
  // The first y below the asked one at which an entry begins or ends;
  // INT_MAX when none does.
  int Until = 0;
};

class IndentManager {
 public:
  void Reset(int left, int right);

  int LeftEdge(int y) const;
  int RightEdge(int y) const;
  // LeftEdge(y) and RightEdge(y), which hold for every y' with
  // y <= y' < Until while no entry is added or removed.
  TEdgeSpan EdgesAt(int y) const;
  // The next y below which a float ends on either side; y itself when no
  // float reaches below it.
  int NextWiderY(int y) const;
  // One below the lowest float on each side; 0 for a side without floats.
  void FloatBottoms(int& left, int& right) const;

  // Margins of the current owner; they end when the caller removes them by
  // the index returned.
  int AddLeftMargin(int x, int y);
  int AddRightMargin(int x, int y);
  void RemoveLeft(int index);
  void RemoveRight(int index);

  // Places a left or right floating image at y beside what is there and
  // sets its x (relative to LeftBase); other images are left alone. Returns
  // the bottom of the room the image takes (y when it does not float).
  int PlaceFloatImage(int y, TFloatingObj& image);
  // Keeps a floated block's room from y down for `height` pixels. A left
  // float (side 5) takes everything left of x; a right float (side 6) takes
  // x pixels from the right edge.
  void PlaceFloatBlock(int y, int x, int side, int height);

  // The lowest bottom of the floats (entries without owner), 0 when none.
  int LowestFloatBottom() const;

  int CellWidth = 0;
  TIndentSide LeftList, RightList;
  const void* CurrentOwner = nullptr;
  int LeftBase = 0, RightBase = 0;

 private:
  bool Applies(const IndentRec& rec, int y) const;
  // Calls use(rec) for every entry of the side that applies at y.
  template <class Use>
  void ForEachApplying(const TIndentSide& side, int y, Use use) const;
};

}  // namespace folverin
