// Comparing property sets in tests: everything of a derived set that the
// builder reads.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "htmlengine/style/property_set.h"

namespace folverin::test {

inline void ExpectSameSet(const TProperties& actual, const TProperties& expected,
                          const std::string& what = {}) {
  SCOPED_TRACE(what);
  EXPECT_EQ(actual.Props, expected.Props);
  EXPECT_EQ(actual.SetFlags, expected.SetFlags);
  EXPECT_EQ(actual.Tag, expected.Tag);
  EXPECT_EQ(actual.Class, expected.Class);
  EXPECT_EQ(actual.ID, expected.ID);
  EXPECT_EQ(actual.PseudoClass, expected.PseudoClass);
  EXPECT_EQ(actual.Title, expected.Title);
  EXPECT_EQ(actual.OwnBackground, expected.OwnBackground);
  EXPECT_EQ(actual.Charset, expected.Charset);
  EXPECT_EQ(actual.EmSize, expected.EmSize);
  EXPECT_EQ(actual.ExSize, expected.ExSize);
  EXPECT_EQ(actual.DefaultSize, expected.DefaultSize);
  // Link fonts are shared: the same fonts, not necessarily the same object.
  ASSERT_EQ(actual.LinkFonts != nullptr, expected.LinkFonts != nullptr);
  if (actual.LinkFonts) {
    EXPECT_EQ(*actual.LinkFonts, *expected.LinkFonts);
  }
  EXPECT_EQ(actual.HasFont(), expected.HasFont());
}

}  // namespace folverin::test
