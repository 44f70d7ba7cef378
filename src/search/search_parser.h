// TParser compiles a search query into a postfix program over its distinct
// terms and decides, document by document, whether a document satisfies it.
// Calling order: SetExpression, Parse, check Errors, then Evaluate per
// document.
#pragma once

#include <string_view>
#include <vector>

#include "common/ansi_string.h"
#include "search/document_text.h"
#include "search/search_scanner.h"
#include "search/search_stack.h"
#include "search/term_matcher.h"

namespace folverin {

struct TProgramStep {
  TTokenKind Kind = tokTerm;  // tokTerm, tokAnd, tokOr or tokNot
  int TermIndex = 0;          // term steps only
};

class TParser {
 public:
  // Brackets and NOTs nested deeper than this give "Syntax-Fehler": the
  // descent is recursive and must not run out of stack on hostile queries.
  static constexpr int kMaxNesting = 500;

  void SetExpression(std::string_view text);
  void Parse();
  // Empty after a Parse whose program may be evaluated; callers report the
  // first message only.
  const std::vector<AnsiString>& Errors() const { return scanner_.Errors(); }

  const AnsiString& Expression() const { return expression_; }
  // Distinct terms in the order of their first occurrence, upper-cased.
  const std::vector<AnsiString>& Terms() const { return terms_; }
  const std::vector<TProgramStep>& Program() const { return program_; }
  // Match result of every term for the document evaluated last.
  const std::vector<bool>& MatchResults() const { return matches_; }

  // Every term is tested against the document (read once, whatever the
  // operators), then the program is run. Throws TDocumentReadError when a
  // document with text cannot be read.
  bool Evaluate(std::string_view fileName);
  // The same with the per-term results given, one per term.
  bool EvaluateMatches(const std::vector<bool>& matches);

 private:
  void ParseExpression();
  void ParseTerm();
  void ParseFactor();
  void ParseNested(void (TParser::*production)());
  int AddTerm(const AnsiString& text);
  void Append(TTokenKind kind, int termIndex = 0) { program_.push_back({kind, termIndex}); }
  bool RunProgram();

  AnsiString expression_;
  std::vector<AnsiString> terms_;
  std::vector<TProgramStep> program_;
  std::vector<bool> matches_;
  TScanner scanner_;
  TStack stack_;
  TTermMatcher matcher_;
  TDocumentText text_;
  TTokenKind tok_ = tokEnd;
  int depth_ = 0;
  bool tooDeep_ = false;
};

}  // namespace folverin
