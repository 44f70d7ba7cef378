#include "index/word_count.h"

#include <gtest/gtest.h>

#include <map>

#include <string>
#include <utility>
#include <vector>

namespace folverin {
namespace {

using Counted = std::vector<std::pair<std::string, int>>;

Counted Count(std::string_view text, int minWordSize = 4, bool noNumbers = false) {
  TWordCounter counter;
  counter.CountWords(text, minWordSize, noNumbers);
  Counted result;
  for (size_t i = 0; i < counter.Words().size(); ++i)
    result.emplace_back(counter.Words()[i], counter.Counts()[i]);
  return result;
}

TEST(WordCount, LetterCaseVariantsCountUnderTheFirstFormAndShortWordsAreLeftOut) {
  EXPECT_EQ(Count("Das Haus, das Haus."), (Counted{{"Haus", 2}}));
  EXPECT_EQ(Count("Haus haus Garten "), (Counted{{"Haus", 2}, {"Garten", 1}}));
  EXPECT_EQ(Count("Haus HAUS "), (Counted{{"Haus", 2}}));
  // The three umlauts with a capital are the same letter in either case.
  EXPECT_EQ(Count("\xC4pfel \xE4pfel \xD6len \xF6len \xDC" "bung \xFC" "bung "),
            (Counted{{"\xC4pfel", 2}, {"\xD6len", 2}, {"\xDC" "bung", 2}}));
}

// Pages of thousands of distinct words, one counter reused from page to
// page: each page's words and counts are its own, as a plain map counts them.
TEST(WordCount, LargePagesOneAfterAnotherCountLikeAPlainMap) {
  TWordCounter counter;
  for (int page = 0; page < 3; ++page) {
    std::string text;
    std::vector<std::string> order;
    std::map<std::string, int> counts;
    for (int i = 0; i < 20000; ++i) {
      const int n = (i * 7919 + page) % (page == 1 ? 50 : 6000);
      std::string word = "wort" + std::to_string(n);
      if (i % 3 == 0) word[0] = 'W';
      std::string folded = word;
      folded[0] = 'w';
      if (counts[folded]++ == 0) order.push_back(word);
      text += word + " ";
    }
    counter.CountWords(text, 4, false);
    ASSERT_EQ(counter.Words(), order) << page;
    for (size_t k = 0; k < order.size(); ++k) {
      std::string folded = order[k];
      folded[0] = 'w';
      ASSERT_EQ(counter.Counts()[k], counts[folded]) << order[k];
    }
  }
}

TEST(WordCount, AWordNeedsADelimiterAfterIt) {
  EXPECT_EQ(Count("Haus Garten"), (Counted{{"Haus", 1}}));
  EXPECT_EQ(Count("Garten"), Counted{});
  EXPECT_EQ(Count(""), Counted{});
}

TEST(WordCount, RunsOfThirtyLettersAreWordsLongerOnesVanishWhole) {
  const std::string thirty(30, 'a');
  const std::string thirtyOne(31, 'b');
  EXPECT_EQ(Count(thirty + " " + thirtyOne + " "), (Counted{{thirty, 1}}));
  EXPECT_EQ(Count(std::string(60, 'c') + " "), Counted{});
}

TEST(WordCount, NumbersAreKeywordsUnlessNoNumbersIsOn) {
  const char* text = "2005 4you Jahr2005 ";
  EXPECT_EQ(Count(text, 4, true), (Counted{{"Jahr2005", 1}}));
  EXPECT_EQ(Count(text, 4, false), (Counted{{"2005", 1}, {"4you", 1}, {"Jahr2005", 1}}));
}

TEST(WordCount, OnlyTheDocumentedCharactersMakeWords) {
  EXPECT_EQ(Count("E-Mail "), (Counted{{"Mail", 1}}));
  // é ends the word: Caf is too short for 4 letters, long enough for 3.
  EXPECT_EQ(Count("Caf\xE9 "), Counted{});
  EXPECT_EQ(Count("Caf\xE9 ", 3), (Counted{{"Caf", 1}}));
  EXPECT_EQ(Count("Stra\xDF" "e "), (Counted{{"Stra\xDF" "e", 1}}));
  EXPECT_EQ(Count("don't it's "), Counted{});
  EXPECT_EQ(Count("Haus\tHaus\r\nHaus\xA0"), (Counted{{"Haus", 3}}));
}

TEST(WordCount, AMinimumBelowOneNeverMakesAnEmptyWord) {
  EXPECT_EQ(Count("a  b, ", 0), (Counted{{"a", 1}, {"b", 1}}));
  EXPECT_EQ(Count(",,, ", -5), Counted{});
}

}  // namespace
}  // namespace folverin
