// A form (ThtmlForm): where its controls send their values. The controls
// themselves live in the sections' text.
#pragma once

#include <vector>

#include "common/ansi_string.h"
#include "htmlengine/document/form_control_obj.h"

namespace folverin {

class TAttributeList;

class ThtmlForm {
 public:
  explicit ThtmlForm(const TAttributeList& attributes);

  AnsiString Action, Method, Target, EncType;
  std::vector<TFormControlObj*> Controls;  // not owned
};

// A SELECT's options, kept for the control; they never reach the text.
struct TSelectOption {
  AnsiString Text;
  AnsiString Value;
  bool Selected = false;
};

class TSelectControl : public TFormControlObj {
 public:
  using TFormControlObj::TFormControlObj;
  std::vector<TSelectOption> Options;
  bool Multiple = false;
  int ListSize = 0;
};

class TTextAreaControl : public TFormControlObj {
 public:
  using TFormControlObj::TFormControlObj;
  std::vector<AnsiString> Lines;
  int Rows = 0, Cols = 0;
};

}  // namespace folverin
