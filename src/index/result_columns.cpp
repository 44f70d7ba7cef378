#include "index/result_columns.h"

namespace folverin {

TResultColumnWidths ResultColumnWidths(int gridWidth, bool hideDocumentColumn) {
  const float x = static_cast<float>(gridWidth) / 100.0f;
  TResultColumnWidths widths;
  if (hideDocumentColumn) {
    widths.Title = static_cast<int>(x * 85.0f);
  } else {
    widths.Title = static_cast<int>(x * 40.0f);
    widths.Document = static_cast<int>(x * 45.0f);
  }
  widths.Count = static_cast<int>(x * 15.0f);
  return widths;
}

}  // namespace folverin
