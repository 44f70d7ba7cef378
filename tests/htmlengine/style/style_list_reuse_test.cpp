// Rule tables taken over from earlier documents: a document that starts with
// the same defaults, or applies the same read sheet to the same table, must
// end up with exactly the rules it would have built, and nothing it changes
// afterwards may reach the kept tables.
#include <gtest/gtest.h>

#include <memory>

#include "htmlengine/style/style_list.h"
#include "htmlengine/style/style_sheet_parser.h"

namespace folverin {
namespace {

std::shared_ptr<const TParsedStyleSheet> Sheet(std::string_view text) {
  return std::make_shared<const TParsedStyleSheet>(ReadStyleSheetText(text, ""));
}

// What a view does for every document: a fresh store table, the defaults,
// then the document's linked sheet.
void StartDocument(TStyleList& store, const std::shared_ptr<const TParsedStyleSheet>& sheet,
                   int* applications) {
  store.Clear();
  store.Initialize(TStyleDefaults());
  if (sheet) {
    store.ApplyShared(sheet, [&] {
      ++*applications;
      ApplyStyleSheet(store, *sheet);
    });
  }
}

TEST(StyleListReuse, LaterDocumentsTakeTheAppliedSheetOver) {
  bool hover = false;
  TStyleList store(&hover);
  auto sheet = Sheet("p { color: red } ul li { margin-left: 3px } a:hover { color: blue }");
  int applications = 0;
  StartDocument(store, sheet, &applications);
  const AnsiString next = store.NextSequenceNumber();

  hover = false;
  StartDocument(store, sheet, &applications);
  EXPECT_EQ(applications, 1);
  EXPECT_TRUE(hover) << "a taken-over :hover rule switches hover tracking on again";
  ASSERT_NE(store.Find("p"), nullptr);
  EXPECT_EQ(store.Find("p")->ColourOf(Prop::Color), 0x0000FFu + kColourFlag);
  EXPECT_EQ(store.NextSequenceNumber(), next) << "the sequence goes on where the sheet left it";
  EXPECT_EQ(store.DefaultEntry(), store.Find("DEFAULT"));

  // Another sheet, or the same one on another table, is applied afresh.
  StartDocument(store, Sheet("p { color: red }"), &applications);
  EXPECT_EQ(applications, 2);
  store.Clear();
  store.Initialize(TStyleDefaults());
  store.AddModifyProp("h1", "color", "green");
  store.ApplyShared(sheet, [&] { ++applications; ApplyStyleSheet(store, *sheet); });
  EXPECT_EQ(applications, 3);
  EXPECT_NE(store.Find("h1")->ColourOf(Prop::Color), NoColour);
}

TEST(StyleListReuse, ChangesAfterATakeOverStayInTheDocument) {
  TStyleList store;
  auto sheet = Sheet("p { color: red } ul li { margin-left: 3px }");
  int applications = 0;
  StartDocument(store, sheet, &applications);
  StartDocument(store, sheet, &applications);
  store.AddModifyProp("p", "color", "green");
  store.AddModifyProp("b", "font-style", "italic");
  const AnsiString descendantKey = store.Index().DescendantsOf("", "li")->at(0)[0].Key->c_str();
  store.AddModifyProp(descendantKey, "margin-left", "9px");

  // The table of this document indexes its own entries.
  const TProperties* own = store.Find(descendantKey);
  EXPECT_EQ(store.Index().DescendantsOf("", "li")->at(0)[0].Rule, own);
  EXPECT_EQ(*own->TextOf(Prop::MarginLeft), "9px");
  EXPECT_EQ(store.DefaultEntry(), store.Find("default"));

  StartDocument(store, sheet, &applications);
  EXPECT_EQ(applications, 1);
  EXPECT_EQ(store.Find("p")->ColourOf(Prop::Color), 0x0000FFu + kColourFlag);
  EXPECT_TRUE(store.Find("b")->IsEmpty(Prop::FontStyle));
  EXPECT_EQ(*store.Find(descendantKey)->TextOf(Prop::MarginLeft), "3px");
}

TEST(StyleListReuse, DefaultsDecideWhichTableIsTaken) {
  TStyleList store;
  TStyleDefaults arial;
  arial.DefaultFamily = "Arial";
  store.Initialize(arial);
  store.AddModifyProp("default", "font-family", "Courier");
  store.Clear();
  store.Initialize(TStyleDefaults());
  EXPECT_EQ(*store.DefaultEntry()->TextOf(Prop::FontFamily), "Times New Roman");
  store.Clear();
  store.Initialize(arial);
  EXPECT_EQ(*store.DefaultEntry()->TextOf(Prop::FontFamily), "Arial");
  // More defaults than are kept: each still gets its own table.
  for (int size = 1; size <= static_cast<int>(TStyleList::kMaxKeptTables) + 2; ++size) {
    TStyleDefaults defaults;
    defaults.DefaultSizePoints = size;
    store.Clear();
    store.Initialize(defaults);
    EXPECT_EQ(store.DefaultEntry()->RealOf(Prop::FontSize), size);
    EXPECT_EQ(store.DefaultSize(), size);
  }
}

}  // namespace
}  // namespace folverin
