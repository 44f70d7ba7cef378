#include "htmlengine/tokenizer/html_entities.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace folverin {
namespace {

TEST(HtmlEntitiesTest, TableIsCompleteAndSorted) {
  const std::vector<TEntity>& entities = SortedEntities();
  ASSERT_EQ(entities.size(), static_cast<size_t>(kEntityCount));
  EXPECT_TRUE(std::is_sorted(entities.begin(), entities.end(),
                             [](const TEntity& a, const TEntity& b) { return a.Name < b.Name; }));
  std::set<AnsiString> names;
  std::set<char16_t> codes;
  for (const TEntity& entity : entities) {
    names.insert(entity.Name);
    codes.insert(entity.Code);
    // Every entry can be found again by the search.
    EXPECT_EQ(FindEntity(entity.Name), entity.Code) << entity.Name;
  }
  EXPECT_EQ(names.size(), entities.size());
  EXPECT_EQ(codes.size(), entities.size());  // no code twice in HTML 4.01
  // All of Latin-1 from 160 up.
  for (char16_t code = 160; code <= 255; ++code) EXPECT_EQ(codes.count(code), 1u) << static_cast<int>(code);
}

TEST(HtmlEntitiesTest, LookupIsCaseSensitive) {
  EXPECT_EQ(FindEntity("auml"), u'\u00E4');
  EXPECT_EQ(FindEntity("Auml"), u'\u00C4');
  EXPECT_EQ(FindEntity("AUML"), std::nullopt);
  EXPECT_EQ(FindEntity("amp"), u'&');
  EXPECT_EQ(FindEntity("AMP"), std::nullopt);
  EXPECT_EQ(FindEntity("nbsp"), u'\u00A0');
  EXPECT_EQ(FindEntity("euro"), u'\u20AC');
  EXPECT_EQ(FindEntity("Prime"), u'\u2033');
  EXPECT_EQ(FindEntity("prime"), u'\u2032');
  EXPECT_EQ(FindEntity("thetasym"), u'\u03D1');
  EXPECT_EQ(FindEntity("yuml"), u'\u00FF');
  EXPECT_EQ(FindEntity("Yuml"), u'\u0178');
  EXPECT_EQ(FindEntity(""), std::nullopt);
  EXPECT_EQ(FindEntity("apos"), std::nullopt);  // XHTML, not HTML 4.01
}

}  // namespace
}  // namespace folverin
