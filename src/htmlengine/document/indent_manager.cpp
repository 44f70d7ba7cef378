#include "htmlengine/document/indent_manager.h"

#include <algorithm>
#include <climits>

#include "htmlengine/document/floating_obj.h"

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

// One below the lowest entry without owner; 0 when there is none.
int LowestBottom(const TIndentSide& side) {
  int bottom = side.Floats.empty() ? -1 : side.Floats.back().Bottom;
  for (const IndentRec& rec : side.Margins)
    if (rec.Owner == nullptr) bottom = std::max(bottom, rec.Bottom);
  return bottom + 1;
}

bool AppliesFor(const IndentRec& rec, int y, const void* owner) {
  return rec.Top <= y && y < rec.Bottom && (rec.Owner == nullptr || rec.Owner == owner);
}

// The edge of one side at y and the next boundary below it. Every line of
// every section asks for both, so each entry is looked at once for the two.
// Entries of other owners bound the span too: a span that ends early is
// never wrong.
struct TSideEdge {
  bool Found = false;  // some entry applies at y
  int Edge = 0;
  int Next = INT_MAX;
};

// `closer` picks the edge nearer the middle of two: max on the left, min on the right.
template <class Closer>
TSideEdge SideEdgeAt(const TIndentSide& side, int y, const void* owner, int start, Closer closer) {
  TSideEdge result{false, start, INT_MAX};
  auto visit = [&](const IndentRec& rec) {
    if (rec.Top > y) {
      result.Next = std::min(result.Next, rec.Top);
    } else if (rec.Bottom > y) {
      result.Next = std::min(result.Next, rec.Bottom);
      if (rec.Owner == nullptr || rec.Owner == owner) {
        result.Edge = closer(result.Edge, rec.Edge);
        result.Found = true;
      }
    }
  };
  for (const IndentRec& rec : side.Margins) visit(rec);
  // Floats that end above y neither apply nor bound anything below it.
  for (auto rec = FirstBelow(side.Floats, y); rec != side.Floats.end(); ++rec) visit(*rec);
  return result;
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
  return AppliesFor(rec, y, CurrentOwner);
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
  auto larger = [](int a, int b) { return std::max(a, b); };
  auto smaller = [](int a, int b) { return std::min(a, b); };
  const TSideEdge left = SideEdgeAt(LeftList, y, CurrentOwner, INT_MIN, larger);
  const TSideEdge right = SideEdgeAt(RightList, y, CurrentOwner, INT_MAX, smaller);
  return {left.Found ? LeftBase + left.Edge : LeftBase, right.Found ? LeftBase + right.Edge : RightBase,
          std::min(left.Next, right.Next)};
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
