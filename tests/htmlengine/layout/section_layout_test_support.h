// Sections built by hand and laid out on their own, beside an indent
// manager the test controls. Default text is 8 pixels a character and 19
// pixels a line (12 point, fixed-width metrics).
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "htmlengine/document/indent_manager.h"
#include "htmlengine/document/section.h"
#include "htmlengine/document_test_tree.h"

namespace folverin::test {

class TSectionLayoutFixture : public ::testing::Test {
 protected:
  std::unique_ptr<TSection> Section(std::u16string_view text) {
    auto section = Tree.NewSection();
    Append(*section, text);
    return section;
  }
  void Append(TSection& section, std::u16string_view text, bool keepTogether = false) {
    section.AppendText(TokenOf(text, static_cast<int>(section.Text.size())), {.KeepTogether = keepTogether});
  }
  TFloatingObj* AddImage(TSection& section, int align, int width, int height) {
    auto image = std::make_unique<TImageObj>();
    image->ObjAlign = align;
    image->ImageWidth = width;
    image->ImageHeight = height;
    return section.InsertFloat(std::move(image), static_cast<int>(section.Text.size()), {});
  }

  // Lays the section out at y in a cell `width` pixels wide, in an empty
  // cell unless the test prepared the indent manager (KeepIndents).
  int LayOut(TSection& section, int width, int y = 0) {
    if (!KeepIndents) Indents.Reset(0, width);
    Cursor = 0;
    MaxWidth = 0;
    return section.Layout(0, y, width, Cursor, MaxWidth, Indents);
  }

  static std::vector<std::u16string> Lines(const TSection& section) {
    std::vector<std::u16string> lines;
    for (const LineRec& line : section.LineList)
      lines.emplace_back(std::u16string_view(section.Text).substr(line.Start, line.LineChars));
    return lines;
  }

  // Every character on exactly one line, in order.
  static void ExpectCovered(const TSection& section) {
    int next = 0;
    for (const LineRec& line : section.LineList) {
      EXPECT_EQ(line.Start, next);
      next += line.LineChars;
    }
    EXPECT_EQ(next, static_cast<int>(section.Text.size()));
  }

  TDocumentTree Tree;
  IndentManager Indents;
  bool KeepIndents = false;
  int Cursor = 0;
  int MaxWidth = 0;
};

}  // namespace folverin::test
