#include "search/search_scanner.h"

namespace folverin {

namespace {

bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= 32; }

}  // namespace

void TScanner::SetText(std::string_view text) {
  text_.assign(text);
  position_ = 0;
  tokenText_.clear();
  errors_.clear();
  NextChar();
}

bool TScanner::AtEnd() const { return text_.empty() || position_ > text_.size() + 1; }

void TScanner::NextChar() {
  ++position_;
  if (AtEnd() || position_ > text_.size()) {
    current_ = 0;  // the end marker, or nothing once past it
  } else {
    current_ = text_[position_ - 1];
  }
}

void TScanner::ReadPhrase() {
  NextChar();
  tokenText_.clear();
  // The first character after the opening quote is taken even when it is a
  // quote itself, so '' is the phrase "'".
  do {
    if (current_ != 0) tokenText_ += current_;
    NextChar();
  } while (current_ != '\'' && !AtEnd());
  if (current_ == '\'') NextChar();
}

void TScanner::ReadWord() {
  tokenText_.clear();
  do {
    if (current_ != 0) tokenText_ += current_;
    NextChar();
  } while (current_ != '\'' && current_ != ' ' && current_ != ')' && !AtEnd());
}

TTokenKind TScanner::NextToken() {
  while (!AtEnd() && IsBlankOrControl(current_)) NextChar();
  if (AtEnd()) return tokEnd;
  if (current_ == '(') {
    NextChar();
    return tokOpen;
  }
  if (current_ == ')') {
    NextChar();
    return tokClose;
  }
  if (current_ == '\'') {
    ReadPhrase();
  } else {
    ReadWord();
  }
  tokenText_ = UpperCase(tokenText_);
  // Quotes do not protect a keyword: 'and' is the operator.
  if (tokenText_ == "OR") return tokOr;
  if (tokenText_ == "AND") return tokAnd;
  if (tokenText_ == "NOT") return tokNot;
  return tokTerm;
}

}  // namespace folverin
