#include "htmlengine/tokenizer/html_symbols.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace folverin {
namespace {

TEST(HtmlSymbolsTest, EveryTagHasItsOwnSymbols) {
  std::set<THtmlSymbol> seen;
  for (int i = 0; i < kTagCount; ++i) {
    const TTagSymbols symbols = LookupTag(TagNameAt(i));
    EXPECT_NE(symbols.Start, THtmlSymbol::UnknownTag) << TagNameAt(i);
    EXPECT_TRUE(seen.insert(symbols.Start).second) << TagNameAt(i);
    if (i < kTagsWithEnd) {
      EXPECT_NE(symbols.End, THtmlSymbol::UnknownTag) << TagNameAt(i);
      EXPECT_TRUE(seen.insert(symbols.End).second) << TagNameAt(i);
    } else {
      EXPECT_EQ(symbols.End, THtmlSymbol::UnknownTag) << TagNameAt(i);
    }
  }
  EXPECT_EQ(seen.size(), static_cast<size_t>(2 * kTagsWithEnd + kTagCount - kTagsWithEnd));
}

TEST(HtmlSymbolsTest, TagLookupSamples) {
  EXPECT_EQ(LookupTag("P").Start, THtmlSymbol::P);
  EXPECT_EQ(LookupTag("P").End, THtmlSymbol::PEnd);
  EXPECT_EQ(LookupTag("COLGROUP").End, THtmlSymbol::ColGroupEnd);
  EXPECT_EQ(LookupTag("H").Start, THtmlSymbol::Heading);
  EXPECT_EQ(LookupTag("BR").Start, THtmlSymbol::BR);
  EXPECT_EQ(LookupTag("COL").Start, THtmlSymbol::Col);
  EXPECT_EQ(LookupTag("LI").End, THtmlSymbol::UnknownTag);
  // Names are looked up in upper case only; H1 is H with a level.
  EXPECT_EQ(LookupTag("p").Start, THtmlSymbol::UnknownTag);
  EXPECT_EQ(LookupTag("H1").Start, THtmlSymbol::UnknownTag);
  EXPECT_EQ(LookupTag("").Start, THtmlSymbol::UnknownTag);
}

// Names that are near a table name (one letter changed, cut, lengthened)
// are found only when the table holds them.
TEST(HtmlSymbolsTest, NearMissesAreUnknown) {
  auto isTagName = [](const std::string& name) {
    for (int i = 0; i < kTagCount; ++i)
      if (TagNameAt(i) == name) return true;
    return false;
  };
  auto isAttributeName = [](const std::string& name) {
    for (int i = 0; i < kAttributeNameCount; ++i)
      if (AttributeNameAt(i) == name) return true;
    return false;
  };
  auto variants = [](std::string_view name) {
    std::vector<std::string> result;
    const std::string base(name);
    result.push_back(base + "S");
    result.push_back(base.substr(0, base.size() - 1));
    result.push_back(base.substr(1));
    for (size_t i = 0; i < base.size(); ++i) {
      std::string changed = base;
      changed[i] = changed[i] == 'Z' ? 'A' : static_cast<char>(changed[i] + 1);
      result.push_back(changed);
    }
    return result;
  };
  for (int i = 0; i < kTagCount; ++i)
    for (const std::string& name : variants(TagNameAt(i)))
      EXPECT_EQ(LookupTag(name).Start != THtmlSymbol::UnknownTag, isTagName(name)) << name;
  for (int i = 0; i < kAttributeNameCount; ++i)
    for (const std::string& name : variants(AttributeNameAt(i)))
      EXPECT_EQ(LookupAttribute(name) != THtmlAttribute::Other, isAttributeName(name)) << name;
}

TEST(HtmlSymbolsTest, AttributeTable) {
  std::set<THtmlAttribute> seen;
  for (int i = 0; i < kAttributeNameCount; ++i) {
    const THtmlAttribute symbol = LookupAttribute(AttributeNameAt(i));
    EXPECT_NE(symbol, THtmlAttribute::Other) << AttributeNameAt(i);
    seen.insert(symbol);
  }
  // VALUE is listed twice with one symbol.
  EXPECT_EQ(seen.size(), static_cast<size_t>(kAttributeNameCount - 1));
  EXPECT_EQ(AttributeNameAt(17), "VALUE");
  EXPECT_EQ(AttributeNameAt(29), "VALUE");
  EXPECT_EQ(LookupAttribute("VALUE"), THtmlAttribute::Value);
  EXPECT_EQ(LookupAttribute("SELECTED"), THtmlAttribute::Selected);
  EXPECT_EQ(LookupAttribute("HTTP-EQUIV"), THtmlAttribute::HttpEquiv);
  EXPECT_EQ(LookupAttribute("DISABLED"), THtmlAttribute::Disabled);
  EXPECT_EQ(LookupAttribute("BGPROPERTIES"), THtmlAttribute::BgProperties);
  EXPECT_EQ(LookupAttribute("DATA-X"), THtmlAttribute::Other);
  EXPECT_EQ(LookupAttribute("href"), THtmlAttribute::Other);
}

}  // namespace
}  // namespace folverin
