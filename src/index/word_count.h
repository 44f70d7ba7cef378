// The word scan of one document's text: which runs of characters are
// keywords, and how often each occurs.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/ansi_string.h"
#include "index/string_table.h"

namespace folverin {

// Keywords are never longer than this.
inline constexpr size_t kMaxKeywordLength = 30;

// 0-9, A-Z, a-z and the bytes of Ä Ö Ü ß ä ö ü; every other byte ends a word.
bool IsWordCharacter(char c);

class TWordCounter {
 public:
  // Counts the words of `text` (Windows-1252). A word is taken only when a
  // delimiter follows it. Occurrences that differ in letter case only (Ä/ä,
  // Ö/ö, Ü/ü too) count under the form that came first. A minWordSize below
  // 1 counts as 1: an empty run is never a word.
  void CountWords(std::string_view text, int minWordSize, bool noNumbers);

  // The distinct words in the order of their first occurrence, and their
  // counts.
  const std::vector<AnsiString>& Words() const { return words_; }
  const std::vector<int32_t>& Counts() const { return counts_; }

 private:
  void TakeWord(std::string_view word, bool noNumbers);

  std::vector<AnsiString> words_;
  std::vector<int32_t> counts_;
  // Folded forms, numbered as words_; the lookup of every word of a page.
  TStringTable folded_;
  std::string folding_;
};

}  // namespace folverin
