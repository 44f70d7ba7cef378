#include "index/word_count.h"

#include <algorithm>

namespace folverin {

namespace {

// The platform's case-insensitive comparison, for the characters a word can
// hold: ASCII letters and the three umlauts with a capital in the code page.
char FoldCase(char c) {
  switch (static_cast<unsigned char>(c)) {
    case 0xC4: return static_cast<char>(0xE4);  // Ä -> ä
    case 0xD6: return static_cast<char>(0xF6);  // Ö -> ö
    case 0xDC: return static_cast<char>(0xFC);  // Ü -> ü
    default: return AsciiLower(c);
  }
}

}  // namespace

bool IsWordCharacter(char c) {
  if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) return true;
  switch (static_cast<unsigned char>(c)) {
    case 0xC4: case 0xD6: case 0xDC: case 0xDF: case 0xE4: case 0xF6: case 0xFC:
      return true;
    default:
      return false;
  }
}

void TWordCounter::CountWords(std::string_view text, int minWordSize, bool noNumbers) {
  words_.clear();
  counts_.clear();
  folded_.Clear();
  const size_t shortest = static_cast<size_t>(std::max(1, minWordSize));
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (IsWordCharacter(text[i])) continue;
    const size_t length = i - start;
    if (length >= shortest && length <= kMaxKeywordLength) TakeWord(text.substr(start, length), noNumbers);
    start = i + 1;
  }
  // What is left after the last delimiter is not a word.
}

void TWordCounter::TakeWord(std::string_view word, bool noNumbers) {
  folding_.assign(word);
  for (char& c : folding_) c = FoldCase(c);
  // A word that begins with a digit is never taken under NoNumbers, so it
  // can never be found either.
  if (noNumbers && word.front() >= '0' && word.front() <= '9') return;
  bool added = false;
  const size_t number = folded_.Insert(folding_, added);
  if (!added) {
    counts_[number] += 1;
    return;
  }
  words_.emplace_back(word);
  counts_.push_back(1);
}

}  // namespace folverin
