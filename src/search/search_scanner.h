// TScanner turns a search query into tokens and collects the parser's error
// messages. The query is read followed by one end marker (code 0).
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "common/ansi_string.h"

namespace folverin {

// The numeric values are also the step kinds of a compiled program.
enum TTokenKind : int {
  tokTerm = 0,
  tokEnd = 1,
  tokAnd = 2,
  tokOr = 3,
  tokNot = 4,
  tokOpen = 5,
  tokClose = 6,
};

class TScanner {
 public:
  void SetText(std::string_view text);
  void NextChar();
  // True for an empty query and once the position has passed the end marker.
  bool AtEnd() const;
  TTokenKind NextToken();

  void AddError(const AnsiString& message) { errors_.push_back(message); }
  const std::vector<AnsiString>& Errors() const { return errors_; }
  // Upper-cased text of the last word or phrase read.
  const AnsiString& TokenText() const { return tokenText_; }
  size_t Position() const { return position_; }
  char Current() const { return current_; }

 private:
  void ReadPhrase();
  void ReadWord();

  AnsiString text_;
  // A full-width position: a 16-bit one would wrap on queries longer than
  // 65,535 characters and the scanner would never reach the end.
  size_t position_ = 0;
  char current_ = 0;
  AnsiString tokenText_;
  std::vector<AnsiString> errors_;
};

}  // namespace folverin
