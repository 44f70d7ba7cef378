// A form control embedded in a section's text at a marker character.
#pragma once

#include <memory>
#include <vector>

#include "common/ansi_string.h"
#include "htmlengine/document/id_name_list.h"

namespace folverin {

enum class TFormControlKind { Hidden, Edit, Password, Button, Submit, Reset, Radio, CheckBox,
                              TextArea, ListBox, Combo, File };

class TFormControlObj : public TIDObject {
 public:
  explicit TFormControlObj(TFormControlKind kind) : Kind(kind) {}
  int GetYPosition() const override { return YValue; }

  TFormControlKind Kind;
  int Pos = 0;  // buffer index of the control's marker in the section's text
  int Width = 0, Height = 0;
  int HSpaceL = 0, HSpaceR = 0;
  int YValue = 0;
  AnsiString Name;
  AnsiString Value;
};

using TFormControlList = std::vector<std::unique_ptr<TFormControlObj>>;

}  // namespace folverin
