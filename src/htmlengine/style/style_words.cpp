#include "htmlengine/style/style_words.h"

namespace folverin {

namespace {

AnsiString NormaliseBlanks(std::string_view value) {
  AnsiString text = Trim(value), result;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == ' ') {
      if (!result.empty() && (result.back() == ' ' || result.back() == ',')) continue;
    }
    result += text[i];
  }
  return result;
}


// One word from position i on; i ends on the blank after it (or the end).
AnsiString NextWord(const AnsiString& text, size_t& i) {
  size_t start = i;
  while (i < text.size() && text[i] != ' ') {
    if (IsQuote(text[i])) {
      size_t close = text.find(text[i], i + 1);
      i = close == AnsiString::npos ? text.size() : close + 1;
    } else {
      ++i;
    }
  }
  return text.substr(start, i - start);
}

}  // namespace

std::vector<AnsiString> SplitStyleWords(std::string_view value, size_t maxWords) {
  AnsiString text = NormaliseBlanks(value);
  std::vector<AnsiString> words;
  size_t i = 0;
  while (i < text.size() && words.size() < maxWords) {
    AnsiString word = NextWord(text, i);
    if (i < text.size()) ++i;  // the blank
    size_t slash = word.size() > 1 ? word.find('/', 1) : AnsiString::npos;
    if (slash != AnsiString::npos) {
      words.push_back(word.substr(0, slash));
      if (words.size() < maxWords) words.push_back(word.substr(slash));
    } else if (!word.empty()) {
      words.push_back(word);
    }
  }
  return words;
}

std::vector<AnsiString> TakeFunctionParts(AnsiString& value) {
  std::vector<AnsiString> parts;
  for (int round = 0; round < 7; ++round) {
    size_t start = value.find("url(");
    if (start == AnsiString::npos) start = value.find("rgb(");
    size_t close = value.find(')');
    if (start == AnsiString::npos || close == AnsiString::npos || close < start) break;
    parts.push_back(value.substr(start, close - start + 1));
    value.erase(start, close - start + 1);
  }
  return parts;
}

}  // namespace folverin
