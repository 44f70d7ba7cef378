// Finding line ends in the program's own files, where CR LF, a lone CR and a
// lone LF all end a line. std::string_view::find_first_of("\r\n") calls
// memchr for every byte it passes; these plain loops are many times faster
// on files of many short lines (the index files).
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace folverin {

inline bool IsLineEndByte(char c) { return c == '\r' || c == '\n'; }

// The first CR or LF at or after `from`, or npos.
inline size_t FindLineEnd(std::string_view text, size_t from = 0) {
  for (size_t i = from; i < text.size(); ++i)
    if (IsLineEndByte(text[i])) return i;
  return std::string_view::npos;
}

// The lines of a text: a line ends at CR LF, at a lone CR or at a lone LF;
// text after the last line end is a last line. The views point into `text`.
std::vector<std::string_view> SplitLines(std::string_view text);

// The last CR or LF, or npos.
inline size_t FindLastLineEnd(std::string_view text) {
  for (size_t i = text.size(); i > 0; --i)
    if (IsLineEndByte(text[i - 1])) return i - 1;
  return std::string_view::npos;
}

}  // namespace folverin
