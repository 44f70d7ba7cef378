#include "search/search_parser.h"

#include "search/document_text.h"

namespace folverin {

void TParser::SetExpression(std::string_view text) {
  expression_.assign(text);
  terms_.clear();
  program_.clear();
  matches_.clear();
  text_ = TDocumentText();  // a window's parser lives long; keep no document between searches
  scanner_.SetText(text);
}

void TParser::Parse() {
  depth_ = 0;
  tooDeep_ = false;
  tok_ = scanner_.NextToken();
  ParseExpression();
  // Left-over detection asks the scanner, not the look-ahead: a single last
  // word after a complete expression has already run the scanner to its end
  // and is read but not used ("haus garten" searches HAUS). Collections'
  // links rely on that.
  if (!scanner_.AtEnd()) scanner_.AddError("Syntax-Fehler");
  matcher_.SetTerms(terms_);
}

void TParser::ParseExpression() {
  ParseTerm();
  while (tok_ == tokOr && !scanner_.AtEnd()) {
    tok_ = scanner_.NextToken();
    ParseTerm();
    Append(tokOr);
  }
}

void TParser::ParseTerm() {
  ParseFactor();
  while (tok_ == tokAnd) {
    tok_ = scanner_.NextToken();
    ParseFactor();
    Append(tokAnd);
  }
}

void TParser::ParseNested(void (TParser::*production)()) {
  if (tooDeep_) return;
  if (++depth_ > kMaxNesting) {
    tooDeep_ = true;
    scanner_.AddError("Syntax-Fehler");
  } else {
    (this->*production)();
  }
  --depth_;
}

void TParser::ParseFactor() {
  switch (tok_) {
    case tokTerm: {
      const int index = AddTerm(scanner_.TokenText());
      tok_ = scanner_.NextToken();
      Append(tokTerm, index);
      break;
    }
    case tokNot:
      tok_ = scanner_.NextToken();
      ParseNested(&TParser::ParseFactor);
      Append(tokNot);
      break;
    case tokOpen:
      tok_ = scanner_.NextToken();
      ParseNested(&TParser::ParseExpression);
      if (tok_ == tokClose) {
        tok_ = scanner_.NextToken();
      } else {
        scanner_.AddError("Fehlende rechte Klammer");
      }
      break;
    default:
      scanner_.AddError("Syntax-Fehler bei Symbol " + scanner_.TokenText());
      break;
  }
}

int TParser::AddTerm(const AnsiString& text) {
  for (size_t i = 0; i < terms_.size(); ++i) {
    if (SameText(terms_[i], text)) return static_cast<int>(i);
  }
  terms_.push_back(text);
  return static_cast<int>(terms_.size()) - 1;
}

bool TParser::Evaluate(std::string_view fileName) {
  if (terms_.empty()) return false;
  if (HasDocumentText(fileName)) {
    matches_ = matcher_.Match(text_.Read(fileName));
  } else {
    matches_.assign(terms_.size(), false);  // no text: nothing to read
  }
  return RunProgram();
}

bool TParser::EvaluateMatches(const std::vector<bool>& matches) {
  if (terms_.empty()) return false;
  matches_ = matches;
  matches_.resize(terms_.size(), false);
  return RunProgram();
}

bool TParser::RunProgram() {
  stack_.Clear();
  for (const TProgramStep& step : program_) {
    switch (step.Kind) {
      case tokTerm:
        stack_.Push(matches_[step.TermIndex]);
        break;
      case tokAnd: {
        const bool b = stack_.Pop();
        const bool a = stack_.Pop();
        stack_.Push(a && b);
        break;
      }
      case tokOr: {
        const bool b = stack_.Pop();
        const bool a = stack_.Pop();
        stack_.Push(a || b);
        break;
      }
      case tokNot:
        stack_.Push(!stack_.Pop());
        break;
      default:
        break;
    }
  }
  const bool result = stack_.Pop();
  stack_.Clear();
  return result;
}

}  // namespace folverin
