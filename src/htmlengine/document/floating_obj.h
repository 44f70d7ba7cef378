// Objects embedded in a section's text at a marker character: images and
// application panels. Only their place in the text and the room they take
// matter to the model; pictures are not decoded here.
#pragma once

#include <memory>
#include <vector>

#include "common/ansi_string.h"
#include "htmlengine/document/id_name_list.h"

namespace folverin {

// Vertical alignment codes of an embedded object; 5 and 6 float it to the
// left or right side beside the text.
inline constexpr int kAlignLeftFloat = 5;
inline constexpr int kAlignRightFloat = 6;

class TFloatingObj : public TIDObject {
 public:
  int GetYPosition() const override { return DrawY; }
  bool IsFloating() const { return ObjAlign == kAlignLeftFloat || ObjAlign == kAlignRightFloat; }

  int Pos = 0;  // buffer index of the object's marker in the section's text
  int ObjAlign = 0;
  int ImageWidth = 0, ImageHeight = 0;
  int HSpaceL = 0, HSpaceR = 0, VSpaceT = 0, VSpaceB = 0;
  int DrawX = 0, DrawY = 0;
  AnsiString Source;  // the address as written
  AnsiString Alt;
};

class TImageObj : public TFloatingObj {};
class TPanelObj : public TFloatingObj {};

using TImageObjList = std::vector<std::unique_ptr<TFloatingObj>>;

}  // namespace folverin
