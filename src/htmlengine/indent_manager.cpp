#include "htmlengine/indent_manager.h"

#include <algorithm>
#include <climits>

#include "htmlengine/floating_obj.h"

namespace folverin {

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

int IndentManager::LeftEdge(int y) const {
  bool found = false;
  int edge = INT_MIN;
  for (const IndentRec& rec : LeftList)
    if (Applies(rec, y)) {
      edge = std::max(edge, rec.Edge);
      found = true;
    }
  return found ? LeftBase + edge : LeftBase;
}

int IndentManager::RightEdge(int y) const {
  bool found = false;
  int edge = INT_MAX;
  for (const IndentRec& rec : RightList)
    if (Applies(rec, y)) {
      edge = std::min(edge, rec.Edge);
      found = true;
    }
  return found ? LeftBase + edge : RightBase;
}

int IndentManager::NextWiderY(int y) const {
  auto nextBottom = [y](const std::vector<IndentRec>& list) {
    int best = INT_MAX;
    for (const IndentRec& rec : list)
      if (rec.Owner == nullptr && rec.Bottom > y) best = std::min(best, rec.Bottom);
    return best;
  };
  int next = std::min(nextBottom(LeftList), nextBottom(RightList));
  return next == INT_MAX ? y : next;
}

void IndentManager::FloatBottoms(int& left, int& right) const {
  auto lowest = [](const std::vector<IndentRec>& list) {
    int bottom = -1;
    for (const IndentRec& rec : list)
      if (rec.Owner == nullptr) bottom = std::max(bottom, rec.Bottom);
    return bottom + 1;
  };
  left = lowest(LeftList);
  right = lowest(RightList);
}

int IndentManager::LowestFloatBottom() const {
  int left = 0, right = 0;
  FloatBottoms(left, right);
  return std::max(0, std::max(left, right) - 1);
}

int IndentManager::AddLeftMargin(int x, int y) {
  LeftList.push_back({x, y, kMarginBottom, CurrentOwner, false});
  return static_cast<int>(LeftList.size()) - 1;
}

int IndentManager::AddRightMargin(int x, int y) {
  RightList.push_back({x, y, kMarginBottom, CurrentOwner, false});
  return static_cast<int>(RightList.size()) - 1;
}

void IndentManager::RemoveLeft(int index) {
  if (index >= 0 && index < static_cast<int>(LeftList.size())) LeftList.erase(LeftList.begin() + index);
}

void IndentManager::RemoveRight(int index) {
  if (index >= 0 && index < static_cast<int>(RightList.size()))
    RightList.erase(RightList.begin() + index);
}

int IndentManager::PlaceFloatImage(int y, TFloatingObj& image) {
  const int bottom = y + image.ImageHeight + image.VSpaceT + image.VSpaceB;
  const int fullWidth = image.HSpaceL + image.ImageWidth + image.HSpaceR;
  if (image.ObjAlign == kAlignLeftFloat) {
    const int left = LeftEdge(y);
    image.DrawX = left + image.HSpaceL - LeftBase;
    LeftList.push_back({left + fullWidth - LeftBase, y, bottom, nullptr, false});
  } else if (image.ObjAlign == kAlignRightFloat) {
    const int right = RightEdge(y);
    image.DrawX = right - fullWidth + image.HSpaceL - LeftBase;
    RightList.push_back({right - fullWidth - LeftBase, y, bottom, nullptr, false});
  } else {
    return y;
  }
  return bottom;
}

void IndentManager::PlaceFloatBlock(int y, int x, int side, int height) {
  if (side == kAlignLeftFloat)
    LeftList.push_back({x - LeftBase, y, y + height, nullptr, true});
  else
    RightList.push_back({RightEdge(y) - x - LeftBase, y, y + height, nullptr, true});
}

}  // namespace folverin
