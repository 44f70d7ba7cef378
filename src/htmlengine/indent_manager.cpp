#include "htmlengine/indent_manager.h"

#include <algorithm>
#include <climits>

#include "htmlengine/floating_obj.h"

namespace folverin {

namespace {

bool BottomBefore(int y, const IndentRec& rec) { return y < rec.Bottom; }

// The first float of the side that reaches below y.
auto FirstBelow(const std::vector<IndentRec>& floats, int y) {
  return std::upper_bound(floats.begin(), floats.end(), y, BottomBefore);
}

// Smallest bottom greater than y among the entries without owner, INT_MAX
// when there is none.
int NextBottom(const TIndentSide& side, int y) {
  auto first = FirstBelow(side.Floats, y);
  int best = first == side.Floats.end() ? INT_MAX : first->Bottom;
  for (const IndentRec& rec : side.Margins)
    if (rec.Owner == nullptr && rec.Bottom > y) best = std::min(best, rec.Bottom);
  return best;
}

// The nearest y below y at which an entry of the side begins or ends.
// Entries of other owners count too: a span that ends early is never wrong.
int NextBoundary(const TIndentSide& side, int y) {
  int next = INT_MAX;
  auto consider = [&](const IndentRec& rec) {
    if (rec.Top > y) next = std::min(next, rec.Top);
    else if (rec.Bottom > y) next = std::min(next, rec.Bottom);
  };
  for (const IndentRec& rec : side.Margins) consider(rec);
  // Floats that end above y began there too.
  for (auto rec = FirstBelow(side.Floats, y); rec != side.Floats.end(); ++rec) consider(*rec);
  return next;
}

// One below the lowest entry without owner; 0 when there is none.
int LowestBottom(const TIndentSide& side) {
  int bottom = side.Floats.empty() ? -1 : side.Floats.back().Bottom;
  for (const IndentRec& rec : side.Margins)
    if (rec.Owner == nullptr) bottom = std::max(bottom, rec.Bottom);
  return bottom + 1;
}

}  // namespace

void TIndentSide::AddFloat(const IndentRec& rec) {
  Floats.insert(std::upper_bound(Floats.begin(), Floats.end(), rec.Bottom, BottomBefore), rec);
}

void IndentManager::Reset(int left, int right) {
  LeftList.clear();
  RightList.clear();
  CurrentOwner = nullptr;
  LeftBase = left;
  RightBase = right;
}

bool IndentManager::Applies(const IndentRec& rec, int y) const {
  return rec.Top <= y && y < rec.Bottom && (rec.Owner == nullptr || rec.Owner == CurrentOwner);
}

template <class Use>
void IndentManager::ForEachApplying(const TIndentSide& side, int y, Use use) const {
  for (const IndentRec& rec : side.Margins)
    if (Applies(rec, y)) use(rec);
  for (auto rec = FirstBelow(side.Floats, y); rec != side.Floats.end(); ++rec)
    if (Applies(*rec, y)) use(*rec);
}

int IndentManager::LeftEdge(int y) const {
  bool found = false;
  int edge = INT_MIN;
  ForEachApplying(LeftList, y, [&](const IndentRec& rec) {
    edge = std::max(edge, rec.Edge);
    found = true;
  });
  return found ? LeftBase + edge : LeftBase;
}

int IndentManager::RightEdge(int y) const {
  bool found = false;
  int edge = INT_MAX;
  ForEachApplying(RightList, y, [&](const IndentRec& rec) {
    edge = std::min(edge, rec.Edge);
    found = true;
  });
  return found ? LeftBase + edge : RightBase;
}

TEdgeSpan IndentManager::EdgesAt(int y) const {
  return {LeftEdge(y), RightEdge(y), std::min(NextBoundary(LeftList, y), NextBoundary(RightList, y))};
}

int IndentManager::NextWiderY(int y) const {
  int next = std::min(NextBottom(LeftList, y), NextBottom(RightList, y));
  return next == INT_MAX ? y : next;
}

void IndentManager::FloatBottoms(int& left, int& right) const {
  left = LowestBottom(LeftList);
  right = LowestBottom(RightList);
}

int IndentManager::LowestFloatBottom() const {
  int left = 0, right = 0;
  FloatBottoms(left, right);
  return std::max(0, std::max(left, right) - 1);
}

int IndentManager::AddLeftMargin(int x, int y) {
  LeftList.Margins.push_back({x, y, kMarginBottom, CurrentOwner, false});
  return static_cast<int>(LeftList.Margins.size()) - 1;
}

int IndentManager::AddRightMargin(int x, int y) {
  RightList.Margins.push_back({x, y, kMarginBottom, CurrentOwner, false});
  return static_cast<int>(RightList.Margins.size()) - 1;
}

void IndentManager::RemoveLeft(int index) {
  if (index >= 0 && index < static_cast<int>(LeftList.Margins.size()))
    LeftList.Margins.erase(LeftList.Margins.begin() + index);
}

void IndentManager::RemoveRight(int index) {
  if (index >= 0 && index < static_cast<int>(RightList.Margins.size()))
    RightList.Margins.erase(RightList.Margins.begin() + index);
}

int IndentManager::PlaceFloatImage(int y, TFloatingObj& image) {
  const int bottom = y + image.ImageHeight + image.VSpaceT + image.VSpaceB;
  const int fullWidth = image.HSpaceL + image.ImageWidth + image.HSpaceR;
  if (image.ObjAlign == kAlignLeftFloat) {
    const int left = LeftEdge(y);
    image.DrawX = left + image.HSpaceL - LeftBase;
    LeftList.AddFloat({left + fullWidth - LeftBase, y, bottom, nullptr, false});
  } else if (image.ObjAlign == kAlignRightFloat) {
    const int right = RightEdge(y);
    image.DrawX = right - fullWidth + image.HSpaceL - LeftBase;
    RightList.AddFloat({right - fullWidth - LeftBase, y, bottom, nullptr, false});
  } else {
    return y;
  }
  return bottom;
}

void IndentManager::PlaceFloatBlock(int y, int x, int side, int height) {
  if (side == kAlignLeftFloat)
    LeftList.AddFloat({x - LeftBase, y, y + height, nullptr, true});
  else
    RightList.AddFloat({RightEdge(y) - x - LeftBase, y, y + height, nullptr, true});
}

}  // namespace folverin
