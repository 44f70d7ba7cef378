// Font runs share the realised font and the link fonts of the property set
// they were made from. Sets change and die while their sections live on; a
// run must keep what it was given, and a set changing shared link fonts must
// leave every other holder as it was.
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <memory>
#include <string_view>
#include <utility>

#include "htmlengine/document/font_run.h"
#include "htmlengine/document/indent_manager.h"
#include "htmlengine/document_test_tree.h"
#include "htmlengine/style/style_sheet_parser.h"

namespace folverin {
namespace {

using test::TDocumentTree;
using test::TokenOf;

std::unique_ptr<TProperties> DocumentSet(const TSectionList& doc) {
  auto set = std::make_unique<TProperties>();
  set->CopyDocumentDefaults(*doc.StyleSheet.DefaultEntry());
  return set;
}

using TDeclarations = std::initializer_list<std::pair<std::string_view, std::string_view>>;

// What a rule with these declarations does to the set.
void Apply(TProperties& set, TDeclarations declarations, const FontMetrics& metrics) {
  TProperties rule;
  for (const auto& [name, value] : declarations) rule.AssignByName(name, value);
  set.ApplyRule(rule, metrics);
}

void ExpectMeasuresOf(const TFontObj& run) {
  EXPECT_EQ(run.FontHeight, run.Font->Height);
  EXPECT_EQ(run.MaxCharWidth, run.Font->MaxCharWidth);
  EXPECT_EQ(run.LineHeight, run.Font->Height + run.Font->ExternalLeading);
  EXPECT_EQ(run.Descent, run.Font->Descent);
}

TEST(FontRunSharingTest, RunKeepsItsFontWhenTheSetChangesOrDies) {
  TDocumentTree tree;
  const FontMetrics& metrics = tree.Doc.Metrics();
  std::unique_ptr<TProperties> set = DocumentSet(tree.Doc);
  TSection section(&tree.Doc, true, nullptr, nullptr, *set, nullptr);
  ASSERT_NE(section.FontRuns[0].Font, nullptr);
  const TRealisedFont first = *section.FontRuns[0].Font;
  EXPECT_EQ(first, set->GetFont(metrics));

  // The set gets another font; the run keeps the one it was made with.
  Apply(*set, {{"font-size", "30pt"}, {"font-weight", "bold"}, {"font-style", "italic"}}, metrics);
  const TRealisedFont second = set->GetFont(metrics);
  ASSERT_NE(second, first);
  EXPECT_EQ(*section.FontRuns[0].Font, first);
  ExpectMeasuresOf(section.FontRuns[0]);

  section.AppendText(TokenOf(u"ab", 0), {});
  section.StartFontRun(*set);
  ASSERT_EQ(section.FontRuns.size(), 2u);
  EXPECT_EQ(*section.FontRuns[1].Font, second);
  EXPECT_GT(section.FontRuns[1].Overhang, 0);  // italic
  ExpectMeasuresOf(section.FontRuns[1]);

  // A run at the end of the text takes the set's font in place.
  Apply(*set, {{"font-size", "8pt"}, {"font-style", "normal"}}, metrics);
  const TRealisedFont third = set->GetFont(metrics);
  section.StartFontRun(*set);
  ASSERT_EQ(section.FontRuns.size(), 2u);
  EXPECT_EQ(*section.FontRuns[1].Font, third);
  EXPECT_EQ(section.FontRuns[1].Overhang, 0);
  ExpectMeasuresOf(section.FontRuns[1]);

  // The set is gone; both runs still hold their fonts.
  set.reset();
  EXPECT_EQ(*section.FontRuns[0].Font, first);
  EXPECT_EQ(*section.FontRuns[1].Font, third);
  // Layout measures with the fonts the runs hold.
  section.AppendText(TokenOf(u"cd", 2), {});
  section.Complete();
  int cursor = 0, maxWidth = 0;
  IndentManager indents;
  indents.Reset(0, 500);
  EXPECT_EQ(section.Layout(0, 0, 500, cursor, maxWidth, indents),
            std::max(first.Height + first.ExternalLeading, third.Height + third.ExternalLeading));
}

class LinkFontSharingTest : public ::testing::Test {
 protected:
  LinkFontSharingTest() {
    Store.Initialize(TStyleDefaults());
    ParseStyleSheetText(Store,
                        "a:visited { color: navy } a:hover { font-weight: bold }"
                        " code { font-family: monospace; font-size: 9pt } em { color: red }",
                        "");
    Parent.CopyDocumentDefaults(*Store.DefaultEntry());
    Link.Inherit(Parent);
    const TProperties* outer[] = {&Parent};
    Link.Combine(Store, "a", "", "", "link", nullptr, nullptr, outer);
  }
  // A set for an element inside the link.
  TProperties Inside(std::string_view tag) {
    TProperties set;
    set.Inherit(Link);
    const TProperties* enclosing[] = {&Link, &Parent};
    set.Combine(Store, tag, "", "", "", nullptr, nullptr, enclosing);
    return set;
  }
  TStyleList Store;
  TProperties Parent, Link;
};

TEST_F(LinkFontSharingTest, ChangingLinkFontsLeavesOtherHoldersAlone) {
  ASSERT_NE(Link.LinkFonts, nullptr);
  const TLinkFonts linkFonts = *Link.LinkFonts;
  const FontMetrics& metrics = Store.Metrics();

  // Children that change nothing of the fonts have the link's.
  TProperties span = Inside("span");
  ASSERT_NE(span.LinkFonts, nullptr);
  EXPECT_EQ(*span.LinkFonts, linkFonts);

  // Children whose rules change the fonts have their own; the link and its
  // other children keep theirs.
  TProperties code = Inside("code");
  ASSERT_NE(code.LinkFonts, nullptr);
  for (const TFontDescription& font : *code.LinkFonts) {
    EXPECT_EQ(font.Family, "Courier New");
    EXPECT_DOUBLE_EQ(font.SizePoints, 9);
  }
  TProperties em = Inside("em");
  ASSERT_NE(em.LinkFonts, nullptr);
  for (int state = 0; state < 4; ++state) {
    EXPECT_EQ((*em.LinkFonts)[state].Colour, 255u + kColourFlag);
    EXPECT_NE(linkFonts[state].Colour, 255u + kColourFlag);
    EXPECT_EQ((*em.LinkFonts)[state].Family, linkFonts[state].Family);
    EXPECT_EQ((*code.LinkFonts)[state].Colour, linkFonts[state].Colour);
  }
  EXPECT_EQ(*Link.LinkFonts, linkFonts);
  EXPECT_EQ(*span.LinkFonts, linkFonts);

  // A grandchild shares its parent's fonts until its parent changes them.
  TProperties inEm;
  inEm.Inherit(em);
  const TLinkFonts emFonts = *em.LinkFonts;
  em.AssignFromAttribute(Prop::FontSize, 20.0, metrics);
  for (const TFontDescription& font : *em.LinkFonts) EXPECT_DOUBLE_EQ(font.SizePoints, 20);
  EXPECT_EQ(*inEm.LinkFonts, emFonts);
  EXPECT_EQ(*Link.LinkFonts, linkFonts);

  // Runs made from the sets keep the fonts they were made with.
  TDocumentTree tree;
  TUrlTarget target{"x.htm", "", 0};
  TSection section(&tree.Doc, true, nullptr, &target, span, nullptr);
  ASSERT_NE(section.FontRuns[0].LinkFonts, nullptr);
  span.AssignFromAttribute(Prop::Color, static_cast<int32_t>(0x00FF00), metrics);
  EXPECT_NE(*span.LinkFonts, linkFonts);
  EXPECT_EQ(*section.FontRuns[0].LinkFonts, linkFonts);
}

}  // namespace
}  // namespace folverin
