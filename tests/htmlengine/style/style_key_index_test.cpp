#include "htmlengine/style/style_key_index.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "htmlengine/style/property_set.h"
#include "htmlengine/style/style_list.h"

namespace folverin {
namespace {

// Keys and rules live in an ordered map, as in the store, so that the index
// may point at them.
class StyleKeyIndexTest : public ::testing::Test {
 protected:
  TProperties& Add(const char* key) {
    auto [it, added] = Rules.emplace(key, TProperties());
    Index.Add(it->first, it->second);
    return it->second;
  }
  std::vector<AnsiString> Descendants(std::string_view mark, std::string_view name, int list) {
    std::vector<AnsiString> keys;
    if (const auto* lists = Index.DescendantsOf(mark, name))
      for (const auto& entry : (*lists)[list]) keys.push_back(*entry.Key);
    return keys;
  }
  std::map<AnsiString, TProperties> Rules;
  TStyleKeyIndex Index;
};

TEST_F(StyleKeyIndexTest, FindsKeysWithoutRegardToCaseFromPieces) {
  TProperties& rule = Add("P.Intro");
  EXPECT_EQ(Index.Find({"p.intro"}), &rule);
  EXPECT_EQ(Index.Find({"P", ".", "INTRO"}), &rule);
  EXPECT_EQ(Index.Find({"p.intr"}), nullptr);
  EXPECT_EQ(Index.Find({"p", "intro"}), nullptr);
  // Pieces cut anywhere, and probes running past the key or stopping short.
  EXPECT_EQ(Index.Find({"P.i", "", "NtRo"}), &rule);
  EXPECT_EQ(Index.Find({"p.intro", "x"}), nullptr);
  EXPECT_EQ(Index.Find({"p.intr", "o", "x"}), nullptr);
  EXPECT_EQ(Index.Find({"p.", "int"}), nullptr);
  EXPECT_EQ(Index.Find({}), nullptr);
  Index.Clear();
  EXPECT_EQ(Index.Find({"p.intro"}), nullptr);
}

TEST_F(StyleKeyIndexTest, KnowsWhichNamesOccurInKeys) {
  Add("p.Note#Main:link");
  Add("li 21ul Div ");
  for (const char* name : {"p", "NOTE", "main", "link", "li", "div", "21ul"})
    EXPECT_TRUE(Index.MayOccur(name)) << name;
  // The counters of a descendant key stick to its second part.
  for (const char* name : {"note2", "span", "mai", "ul"}) EXPECT_FALSE(Index.MayOccur(name)) << name;
  // A name with a separator in it cannot be looked up part by part.
  EXPECT_TRUE(Index.MayOccur("x.y"));
  EXPECT_TRUE(Index.MayOccur("x y"));
}

TEST_F(StyleKeyIndexTest, DescendantKeysByFirstPartInStoreOrder) {
  // The store orders upper-cased letters before "_" (which lies between the
  // upper and the lower case letters); a lower-case order would differ.
  Add("a 1_ ");
  Add("a 1z ");
  Add("A 1b ");
  Add("a.x 1c ");
  Add("a#y 1d ");
  Add("a:hover 1e ");
  Add("a");         // no descendant key
  Add("ab 1f ");    // another first part
  Add(".c 1g ");
  EXPECT_EQ(Descendants("", "a", 0), (std::vector<AnsiString>{"A 1b ", "a 1z ", "a 1_ "}));
  EXPECT_EQ(Descendants("", "A", 1), (std::vector<AnsiString>{"a#y 1d "}));
  EXPECT_EQ(Descendants("", "a", 2), (std::vector<AnsiString>{"a.x 1c "}));
  EXPECT_EQ(Descendants("", "a", 3), (std::vector<AnsiString>{"a:hover 1e "}));
  EXPECT_EQ(Descendants(".", "C", 0), (std::vector<AnsiString>{".c 1g "}));
  // Each entry comes taken apart, in the key's own case.
  const auto& upper = (*Index.DescendantsOf("", "a"))[0].front();
  EXPECT_EQ(upper.Selector.Element.Tag, "A");
  ASSERT_EQ(upper.Selector.Ancestors.size(), 1u);
  EXPECT_EQ(upper.Selector.Ancestors[0].Tag, "b");
  EXPECT_EQ(Index.DescendantsOf("", "b"), nullptr);
  EXPECT_EQ(Index.DescendantsOf(".", "a"), nullptr);
}

// An element asks the index once per name; the name's entry must give what
// looking up each key of that name alone, and each descendant head, gives.
TEST_F(StyleKeyIndexTest, NameEntriesAgreeWithLookingUpEachKey) {
  for (const char* key : {"P", ".Note", "#Main", ":Link", "::Hover", "a:visited", "p.note",
                          "li 21ul Div ", ".Note 1c ", ":hover 1d p ", "#main 1e ", "div.x 1f ",
                          ".a.b", "x.", "::", ":", "", ".q"}) {
    Add(key);
  }
  using TIndex = TStyleKeyIndex;
  const std::pair<TIndex::TRole, const char*> marks[] = {
      {TIndex::TagRole, ""},       {TIndex::ClassRole, "."},         {TIndex::IDRole, "#"},
      {TIndex::PseudoRole, ":"}, {TIndex::LinkStateRole, "::"}};
  int found = 0;
  for (const char* name : {"p", "NOTE", "main", "link", "hover", "visited", "a", "li", "div", "x",
                           "b", "q", "", "span", "21ul", "1c"}) {
    SCOPED_TRACE(name);
    const TIndex::TNameInfo* info = Index.NameInfo(name);
    EXPECT_EQ(info != nullptr, Index.MayOccur(name));
    if (!info) continue;
    for (auto [role, mark] : marks) {
      SCOPED_TRACE(mark);
      EXPECT_EQ(info->Rules[role], Index.Find({mark, name}));
      if (role != TIndex::LinkStateRole) {
        EXPECT_EQ(info->Descendants[role], Index.DescendantsOf(mark, name));
      }
      found += (info->Rules[role] != nullptr) + (info->Descendants[role] != nullptr);
    }
  }
  EXPECT_EQ(found, 14);
  Index.Clear();
  EXPECT_EQ(Index.NameInfo("p"), nullptr);
}

// The cascade looks rules up through the index; a name that the index cannot
// take apart (a class with a dot in it) goes through the store's key order,
// where a first part such as ".a.b." (class "" at the end, which matches any
// class) still finds it.
TEST(StyleKeyIndexCascade, NamesWithSeparatorsFindTheSameRules) {
  TStyleList store;
  store.Initialize(TStyleDefaults());
  store.AddModifyProp(".a.b. 11div ", "color", "red");
  store.AddModifyProp("P.Intro", "color", "blue");
  TProperties outer;
  outer.CopyDocumentDefaults(*store.DefaultEntry());
  TProperties div;
  div.Inherit(outer);
  const TProperties* chain[] = {&outer};
  div.Combine(store, "div", "", "", "", nullptr, nullptr, chain);
  const TProperties* enclosing[] = {&div, &outer};
  TProperties p;
  p.Inherit(div);
  p.Combine(store, "p", "a.b", "", "", nullptr, nullptr, enclosing);
  EXPECT_EQ(p.ColourOf(Prop::Color), store.Find(".a.b. 11div ")->ColourOf(Prop::Color));
  TProperties other;
  other.Inherit(div);
  other.Combine(store, "p", "a", "", "", nullptr, nullptr, enclosing);
  // Class "a" reaches the same key through the index: ".a" and then ".".
  EXPECT_EQ(other.ColourOf(Prop::Color), p.ColourOf(Prop::Color));
  EXPECT_NE(other.ColourOf(Prop::Color), div.ColourOf(Prop::Color));
  TProperties intro;
  intro.Inherit(div);
  intro.Combine(store, "p", "INTRO", "", "", nullptr, nullptr, enclosing);
  EXPECT_EQ(intro.ColourOf(Prop::Color), store.Find("p.intro")->ColourOf(Prop::Color));
}

}  // namespace
}  // namespace folverin
