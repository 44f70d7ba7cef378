// A child of the same style as its sibling before it takes over the
// sibling's set instead of being derived; it must come out as a derived one
// would, whatever was written to the sets below it in between.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "htmlengine/document/section_list.h"
#include "htmlengine/style/property_set_test_support.h"
#include "htmlengine/style/property_stack.h"
#include "htmlengine/style/style_sheet_parser.h"

namespace folverin {
namespace {

using test::ExpectSameSet;

constexpr const char* kSheet =
    "p { margin-left: 2em } div p { color: green } div span p { text-indent: 3em }"
    " p.note { font-weight: bold } #first { font-style: italic }"
    " a:visited { font-family: arial } a.x:hover { text-decoration: line-through }"
    " ul li { font-size: 14pt }";

struct TStep {
  TStep(std::string tag, std::string cls = {}, std::string id = {}, std::string title = {},
        std::string pseudo = {})
      : Tag(std::move(tag)), Class(std::move(cls)), ID(std::move(id)), Title(std::move(title)),
        Pseudo(std::move(pseudo)) {}
  std::string Tag, Class, ID, Title, Pseudo;
};

TElementStyle StyleOf(const TStep& step) {
  TElementStyle style;
  style.Class = step.Class;
  style.ID = step.ID;
  style.Title = step.Title;
  style.PseudoClass = step.Pseudo;
  return style;
}

struct TStackFixture {
  TSectionList Document;
  TPropStack Stack{Document.StyleSheet};
  TStackFixture() {
    ParseStyleSheetText(Document.StyleSheet, kSheet, "");
    Stack.Reset(*Document.StyleSheet.DefaultEntry());
  }
  void Push(const TStep& step) { ASSERT_TRUE(Stack.PushProperties(step.Tag, StyleOf(step))); }
};

// The set a stack that never popped anything derives for the path.
void ExpectAsFresh(const TPropStack& shared, const std::vector<TStep>& path, const std::string& what) {
  TStackFixture fresh;
  for (const TStep& step : path) fresh.Push(step);
  ExpectSameSet(shared.ReadTop(), fresh.Stack.ReadTop(), what);
}

TEST(PropertyStackSharingTest, SiblingsComeOutAsDerivedOnes) {
  TStackFixture f;
  const std::vector<TStep> parents = {{"div"}, {"span"}};
  for (const TStep& step : parents) f.Push(step);
  // Same names one after another, then names that differ in one part each.
  const std::vector<TStep> siblings = {
      {"p"}, {"p"}, {"p", "note"}, {"p", "note"}, {"p"}, {"p", "", "first"}, {"p", "", "first"},
      {"p", "", "", "a title"}, {"p", "", "", "a title"}, {"p", "", "", "other"}, {"p"},
      {"a", "x", "", "", "link"}, {"a", "x", "", "", "link"}, {"a", "", "", "", "link"},
      {"a", "x", "", "", "link"}, {"li"}, {"li"}};
  for (size_t k = 0; k < siblings.size(); ++k) {
    f.Push(siblings[k]);
    std::vector<TStep> path = parents;
    path.push_back(siblings[k]);
    ExpectAsFresh(f.Stack, path, "sibling " + std::to_string(k));
    f.Stack.PopProperties(siblings[k].Tag);
  }
  // More kinds of children than a parent keeps, each with a child of its
  // own, twice round: what is given up must not be missed.
  const std::vector<std::string> tags = {"p", "li", "dt", "dd", "h1", "pre", "em", "b", "i", "u"};
  for (int round = 0; round < 2; ++round) {
    for (const std::string& tag : tags) {
      f.Push({tag, "note"});
      f.Push({"p"});
      ExpectAsFresh(f.Stack, {{"div"}, {"span"}, {tag, "note"}, {"p"}}, "round of " + tag);
      f.Stack.PopTop();
      f.Stack.PopTop();
    }
  }
  // An element without a title has its parent's; a kept sibling with the
  // same title text given as its own gives the same set.
  f.Stack.PopTop();
  f.Push({"span", "", "", "outer"});
  f.Push({"p", "", "", "outer"});
  f.Stack.PopTop();
  f.Push({"p"});
  ExpectAsFresh(f.Stack, {{"div"}, {"span", "", "", "outer"}, {"p"}}, "inherited title");
}

using TAction = std::function<void(TStackFixture&)>;

// Classes and IDs that no rule names leave the derived set alone but for
// the names themselves; titles reach the children.
TEST(PropertyStackSharingTest, NamesNoRuleSeesAndTitles) {
  TStackFixture f;
  f.Push({"div"});
  const std::vector<std::vector<TStep>> paths = {
      {{"p", "nosuch", "none"}, {"code"}},
      {{"p", "other", ""}, {"code"}},
      {{"p", "note", "none"}, {"code"}},  // a class that a rule names
      {{"p", "", "first"}, {"code"}},     // an ID that a rule names
      {{"p", "other", "nor"}, {"code"}},
      {{"p", "", "", "one"}, {"code"}},
      {{"p", "", "", "two"}, {"code"}},
      {{"p", "x.y", ""}, {"code"}},       // a name with a separator in it
      {{"p", "", "", "two"}, {"code", "", "", "own"}},
      {{"p", "nosuch", "", "one"}, {"code"}}};
  for (size_t k = 0; k < paths.size(); ++k) {
    std::vector<TStep> path = {{"div"}};
    for (const TStep& step : paths[k]) {
      f.Push(step);
      path.push_back(step);
      ExpectAsFresh(f.Stack, path, "path " + std::to_string(k) + " at " + step.Tag);
    }
    f.Stack.PopTop();
    f.Stack.PopTop();
  }
}

// After each write the shared stack derives a P next to the one it kept; a
// stack that replays the writes alone derives it afresh.
TEST(PropertyStackSharingTest, WritesBelowASiblingReachTheNextOne) {
  const std::vector<std::pair<std::string, TAction>> writes = {
      {"the parent", [](TStackFixture& f) { f.Stack.Top().SetText(Prop::FontFamily, "arial"); }},
      {"an ancestor's name", [](TStackFixture& f) { f.Stack.At(1).Tag = "section"; }},
      {"the parent's font",
       [](TStackFixture& f) { f.Stack.TopToRead().GetFont(f.Document.Metrics()); }},
      {"a new bottom",
       [](TStackFixture& f) {
         TProperties bottom = f.Stack.ReadBottom();
         bottom.SetColour(Prop::BackgroundColor, 0x00FF00);
         bottom.SetText(Prop::FontWeight, "bold");
         f.Stack.ReplaceBottom(bottom);
       }},
      {"the rules", [](TStackFixture& f) {
         f.Document.StyleSheet.AddModifyProp("p", "text-transform", "uppercase");
       }}};
  std::vector<TAction> history = {[](TStackFixture& f) { f.Push({"div"}); },
                                  [](TStackFixture& f) { f.Push({"span"}); }};
  TStackFixture shared;
  for (const TAction& action : history) action(shared);
  shared.Push({"p"});
  TProperties previous = shared.Stack.ReadTop();
  shared.Stack.PopTop();
  for (const auto& [what, write] : writes) {
    write(shared);
    history.push_back(write);
    shared.Push({"p"});
    TStackFixture fresh;
    for (const TAction& action : history) action(fresh);
    fresh.Push({"p"});
    ExpectSameSet(shared.Stack.ReadTop(), fresh.Stack.ReadTop(), "a write to " + what);
    // Each write shows in the child, or the comparison proves nothing.
    EXPECT_FALSE(shared.Stack.ReadTop().Props == previous.Props &&
                 shared.Stack.ReadTop().EmSize == previous.EmSize)
        << what;
    previous = shared.Stack.ReadTop();
    shared.Stack.PopTop();
  }
}

TEST(PropertyStackSharingTest, AKeptSetLosesWhatItsElementDidToIt) {
  TStackFixture f;
  const FontMetrics& metrics = f.Document.Metrics();
  f.Push({"div"});
  // The first child's font realised, then a write to it: neither shows in
  // the next sibling.
  f.Push({"p"});
  const int derivedEm = f.Stack.ReadTop().EmSize;
  f.Stack.TopToRead().GetFont(metrics);
  f.Stack.PopTop();
  f.Push({"p"});
  EXPECT_FALSE(f.Stack.ReadTop().HasFont());
  EXPECT_EQ(f.Stack.ReadTop().EmSize, derivedEm);
  ExpectAsFresh(f.Stack, {{"div"}, {"p"}}, "after a font");
  f.Stack.Top().SetText(Prop::TextAlign, "center");
  f.Stack.PopTop();
  f.Push({"p"});
  ExpectAsFresh(f.Stack, {{"div"}, {"p"}}, "after a write");
  f.Stack.PopTop();

  // Adjustments and inline styles are never shared, either way round.
  TElementStyle adjusted;
  adjusted.Adjust = [](TProperties& set) { set.SetText(Prop::TextAlign, "right"); };
  ASSERT_TRUE(f.Stack.PushProperties("p", std::move(adjusted)));
  f.Stack.PopTop();
  f.Push({"p"});
  ExpectAsFresh(f.Stack, {{"div"}, {"p"}}, "after an adjusted sibling");
  f.Stack.PopTop();
  // Adjustments under a key are shared with those under the same key only.
  auto aligned = [](const char* align) {
    TElementStyle style;
    AnsiString value = align;
    style.Adjust = {[value](TProperties& set) { set.SetText(Prop::TextAlign, value); },
                    static_cast<uint32_t>(value.size())};
    return style;
  };
  for (const char* align : {"right", "right", "left", "right", "justify", "center"}) {
    ASSERT_TRUE(f.Stack.PushProperties("p", aligned(align)));
    const AnsiString* value = f.Stack.ReadTop().TextOf(Prop::TextAlign);
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(*value, align);
    f.Stack.PopTop();
  }
  TElementStyle inlined;
  inlined.Inline = std::make_unique<TProperties>();
  inlined.Inline->AssignByName("color", "red");
  ASSERT_TRUE(f.Stack.PushProperties("p", std::move(inlined)));
  const TColour inlineColour = f.Stack.ReadTop().ColourOf(Prop::Color);
  f.Stack.PopTop();
  f.Push({"p"});
  ExpectAsFresh(f.Stack, {{"div"}, {"p"}}, "after an inline styled sibling");
  EXPECT_NE(f.Stack.ReadTop().ColourOf(Prop::Color), inlineColour);
}

// Closing an element below others derives those above it again; what they
// take over must fit their new place.
TEST(PropertyStackSharingTest, RederivedSetsAfterAMiddlePop) {
  TStackFixture f;
  f.Push({"div"});
  f.Push({"span"});
  f.Push({"p"});
  f.Stack.PopTop();
  f.Push({"p"});
  f.Push({"b"});
  // </SPAN> while P and B are open: both now stand directly in the DIV.
  f.Stack.PopProperties("span");
  ASSERT_EQ(f.Stack.Count(), 4);
  EXPECT_EQ(f.Stack.ReadTop().Tag, "b");
  EXPECT_EQ(f.Stack.At(2).TextOf(Prop::TextIndent), nullptr);
  ExpectAsFresh(f.Stack, {{"div"}, {"p"}, {"b"}}, "after the middle pop");
  f.Stack.PopTop();
  f.Stack.PopTop();
  f.Push({"span"});
  f.Push({"p"});
  ExpectAsFresh(f.Stack, {{"div"}, {"span"}, {"p"}}, "in a new span");
}

}  // namespace
}  // namespace folverin
