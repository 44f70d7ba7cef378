// Builds small documents by hand, the way the builder does: sections are
// opened with the property set in force, written, and added to the cell.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "htmlengine/document/block.h"
#include "htmlengine/document/horz_line.h"
#include "htmlengine/document/html_table.h"
#include "htmlengine/document/section.h"
#include "htmlengine/document/section_list.h"
#include "htmlengine/tokenizer/token_obj.h"

namespace folverin::test {

inline TokenObj TokenOf(std::u16string_view text, int firstSourcePos) {
  TokenObj token;
  for (size_t i = 0; i < text.size(); ++i)
    token.PutChar(text[i], firstSourcePos + static_cast<int32_t>(i));
  return token;
}

class TDocumentTree {
 public:
  TDocumentTree() : Props(*Doc.StyleSheet.DefaultEntry()) {
    auto body = std::make_unique<TBodyBlock>(&Doc, &Doc, PropsFor("body"), nullptr);
    Body = body.get();
    Doc.AddItem(std::move(body));
  }

  TProperties& PropsFor(std::string_view tag, std::string_view cls = "") {
    Props.Tag = AnsiString(tag);
    Props.Class = AnsiString(cls);
    return Props;
  }

  std::unique_ptr<TSection> NewSection() {
    return std::make_unique<TSection>(&Doc, true, nullptr, nullptr, PropsFor("default"), nullptr);
  }

  // A section holding the text, whose characters come from source positions
  // firstSourcePos onwards; the section after Complete.
  TSection* AddText(TCellBasic& cell, std::u16string_view text, int firstSourcePos = 0) {
    auto section = NewSection();
    section->AppendText(TokenOf(text, firstSourcePos), {});
    return Add(cell, std::move(section));
  }

  template <class T>
  T* Add(TCellBasic& cell, std::unique_ptr<T> item) {
    T* raw = item.get();
    int before = cell.Count();
    cell.AddItem(std::move(item));
    return cell.Count() > before ? raw : nullptr;
  }

  TBlock* AddBlock(TCellBasic& cell, std::string_view tag, std::string_view cls = "") {
    return Add(cell, std::make_unique<TBlock>(&Doc, &cell, PropsFor(tag, cls), nullptr));
  }

  TBlock* AddHiddenBlock(TCellBasic& cell) {
    TProperties hidden = PropsFor("div");
    hidden.AssignByName("display", "none");
    return Add(cell, std::make_unique<TBlock>(&Doc, &cell, hidden, nullptr));
  }

  THorzLine* AddRule(TCellBasic& cell) {
    auto* block = Add(cell, std::make_unique<THRBlock>(&Doc, &cell, PropsFor("hr"), nullptr));
    block->Line = Add(block->Cell, std::make_unique<THorzLine>(&Doc));
    return block->Line;
  }

  // A table of rows of cell texts; an empty string makes an empty entry
  // (a spanned column).
  ThtmlTable* AddTable(TCellBasic& cell, const std::vector<std::vector<std::u16string>>& rows) {
    auto* block = Add(cell, std::make_unique<TTableBlock>(&Doc, &cell, PropsFor("table"), nullptr));
    auto table = std::make_unique<ThtmlTable>(&Doc);
    int source = 1000;
    for (const auto& texts : rows) {
      auto row = std::make_unique<TCellList>();
      for (const std::u16string& text : texts) {
        if (text.empty()) {
          row->Add(nullptr);
          continue;
        }
        auto cellObj = std::make_unique<TCellObj>(&Doc);
        AddText(cellObj->Cell, text, source);
        source += 100;
        row->Add(std::move(cellObj));
      }
      table->AddRow(std::move(row));
    }
    return Add(block->Cell, std::move(table));
  }

  // What the view's SelectAll and SelText give.
  std::u16string SelectAllText() {
    Doc.Layout();
    Doc.SelectionStart = 0;
    Doc.SelectionEnd = Body->TextStart + Body->TextLength;
    return SelText();
  }

  std::u16string SelText() {
    int n = Doc.GetSelectedLength();
    if (n <= 0) return {};
    std::u16string text(n, u'?');
    std::vector<char16_t> buffer(n + 1, u'?');
    int written = Doc.CopySelectedText(buffer.data(), n + 1);
    text.assign(buffer.data(), written);
    EXPECT_EQ(written, n);
    EXPECT_EQ(buffer[n], 0);
    // The view's one walk must give what counting and copying give.
    EXPECT_EQ(Doc.SelectedText(), text);
    return text;
  }

  TSectionList Doc;
  TProperties Props;
  TBodyBlock* Body = nullptr;
};

}  // namespace folverin::test
