#include "search/search_parser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace folverin {
namespace {

// The program as readable text: term steps by their term, operators by name.
std::string ProgramText(const TParser& parser) {
  std::string text;
  for (const TProgramStep& step : parser.Program()) {
    if (!text.empty()) text += ' ';
    switch (step.Kind) {
      case tokTerm: text += parser.Terms()[step.TermIndex]; break;
      case tokAnd: text += "AND"; break;
      case tokOr: text += "OR"; break;
      case tokNot: text += "NOT"; break;
      default: text += "?"; break;
    }
  }
  return text;
}

struct TCompiled {
  std::vector<AnsiString> Errors;
  std::vector<AnsiString> Terms;
  std::string Program;
};

TCompiled Compile(const std::string& query) {
  TParser parser;
  parser.SetExpression(query);
  parser.Parse();
  return {parser.Errors(), parser.Terms(), ProgramText(parser)};
}

std::string FirstError(const std::string& query) {
  const TCompiled compiled = Compile(query);
  return compiled.Errors.empty() ? "(none)" : compiled.Errors.front();
}

TEST(SearchParser, CompilesToPostfixWithPrecedence) {
  EXPECT_EQ(Compile("haus and garten").Program, "HAUS GARTEN AND");
  EXPECT_EQ(Compile("a OR b AND NOT c").Program, "A B C NOT AND OR");
  EXPECT_EQ(Compile("NOT a AND b").Program, "A NOT B AND");
  EXPECT_EQ(Compile("a AND b AND c").Program, "A B AND C AND");
  EXPECT_EQ(Compile("a OR b OR c").Program, "A B OR C OR");
  EXPECT_EQ(Compile("(a OR b) AND c").Program, "A B OR C AND");
  EXPECT_EQ(Compile("NOT NOT a").Program, "A NOT NOT");
  EXPECT_TRUE(Compile("(a OR b) AND c").Errors.empty());
}

TEST(SearchParser, KeepsDistinctTermsInFirstOccurrenceOrder) {
  const TCompiled same = Compile("haus OR haus");
  EXPECT_EQ(same.Terms, std::vector<AnsiString>{"HAUS"});
  EXPECT_EQ(same.Program, "HAUS HAUS OR");
  const TCompiled mixed = Compile("Haus OR garten AND HAUS");
  EXPECT_EQ(mixed.Terms, (std::vector<AnsiString>{"HAUS", "GARTEN"}));
  EXPECT_EQ(mixed.Program, "HAUS GARTEN HAUS AND OR");
}

TEST(SearchParser, ReadsPhrasesAndWords) {
  EXPECT_EQ(Compile("'Haus und Hof'").Terms, std::vector<AnsiString>{"HAUS UND HOF"});
  EXPECT_EQ(Compile("'abc").Terms, std::vector<AnsiString>{"ABC"});
  // The first character after the opening quote is always taken.
  EXPECT_EQ(Compile("''").Terms, std::vector<AnsiString>{"'"});
  // Tabs and "(" do not end a word; a quote does.
  EXPECT_EQ(Compile("a\tb").Terms, std::vector<AnsiString>{"A\tB"});
  EXPECT_EQ(Compile("x(y").Terms, std::vector<AnsiString>{"X(Y"});
  EXPECT_EQ(Compile("'a b'AND c").Program, "A B C AND");
  // Only ASCII letters are upper-cased.
  EXPECT_EQ(Compile("m\xFCller").Terms, std::vector<AnsiString>{"M\xFCLLER"});
}

TEST(SearchParser, ReportsTheDocumentedMessages) {
  EXPECT_EQ(FirstError("'and'"), "Syntax-Fehler bei Symbol AND");
  EXPECT_EQ(FirstError("(haus"), "Fehlende rechte Klammer");
  EXPECT_EQ(FirstError("haus AND"), "Syntax-Fehler bei Symbol AND");
  EXPECT_EQ(FirstError(")"), "Syntax-Fehler bei Symbol ");
  EXPECT_EQ(FirstError("a b c"), "Syntax-Fehler");
  EXPECT_EQ(FirstError(""), "Syntax-Fehler bei Symbol ");
  EXPECT_EQ(FirstError("   "), "Syntax-Fehler bei Symbol ");
  EXPECT_EQ(FirstError("haus)"), "Syntax-Fehler");
  EXPECT_EQ(FirstError("haus AND OR x"), "Syntax-Fehler bei Symbol OR");
  EXPECT_EQ(FirstError("garten AND ()"), "Syntax-Fehler bei Symbol AND");
}

TEST(SearchParser, UsesNoSingleLeftOverToken) {
  const TCompiled word = Compile("haus garten");
  EXPECT_TRUE(word.Errors.empty());
  EXPECT_EQ(word.Program, "HAUS");
  EXPECT_EQ(word.Terms, std::vector<AnsiString>{"HAUS"});
  const TCompiled orAtEnd = Compile("haus OR");
  EXPECT_TRUE(orAtEnd.Errors.empty());
  EXPECT_EQ(orAtEnd.Program, "HAUS");
  EXPECT_TRUE(Compile("(a) b").Errors.empty());
  EXPECT_EQ(Compile("(a) b").Program, "A");
  EXPECT_EQ(FirstError("haus garten baum"), "Syntax-Fehler");
  EXPECT_EQ(FirstError("(a OR"), "Fehlende rechte Klammer");
}

TEST(SearchParser, EvaluatesTheProgram) {
  TParser parser;
  parser.SetExpression("a OR b AND c");
  parser.Parse();
  TParser notFirst;
  notFirst.SetExpression("NOT a AND b");
  notFirst.Parse();
  for (int bits = 0; bits < 8; ++bits) {
    const bool a = bits & 1, b = bits & 2, c = bits & 4;
    EXPECT_EQ(parser.EvaluateMatches({a, b, c}), a || (b && c)) << bits;
    EXPECT_EQ(notFirst.EvaluateMatches({a, b}), !a && b) << bits;
  }
}

TEST(SearchParser, SetExpressionStartsAfresh) {
  TParser parser;
  parser.SetExpression("(x");
  parser.Parse();
  ASSERT_FALSE(parser.Errors().empty());
  parser.SetExpression("y");
  EXPECT_TRUE(parser.Errors().empty());
  EXPECT_TRUE(parser.Terms().empty());
  parser.Parse();
  EXPECT_TRUE(parser.Errors().empty());
  EXPECT_EQ(ProgramText(parser), "Y");
}

TEST(SearchStack, PopsInReverseAndRefusesEmpty) {
  TStack stack;
  stack.Push(true);
  stack.Push(false);
  EXPECT_FALSE(stack.Pop());
  EXPECT_TRUE(stack.Pop());
  try {
    stack.Pop();
    FAIL() << "no error";
  } catch (const std::out_of_range& error) {
    EXPECT_STREQ(error.what(), "Cannot pop from empty stack!");
  }
}

TEST(SearchScanner, ReadsPastTheEndMarkerOnce) {
  TScanner scanner;
  scanner.SetText("ab");
  EXPECT_FALSE(scanner.AtEnd());
  EXPECT_EQ(scanner.Current(), 'a');
  EXPECT_EQ(scanner.NextToken(), tokTerm);
  EXPECT_TRUE(scanner.AtEnd());  // a last word runs over the end marker
  EXPECT_EQ(scanner.NextToken(), tokEnd);
  scanner.SetText("(");
  EXPECT_EQ(scanner.NextToken(), tokOpen);
  EXPECT_FALSE(scanner.AtEnd());  // on the end marker
  EXPECT_EQ(scanner.NextToken(), tokEnd);
  EXPECT_TRUE(scanner.AtEnd());
  scanner.SetText("");
  EXPECT_TRUE(scanner.AtEnd());
}

// Hostile queries must end with a message or a program, never hang or
// overflow the stack.
TEST(SearchParser, SurvivesHostileQueries) {
  std::string longQuery;
  while (longQuery.size() < 70000) longQuery += "wort OR ";
  longQuery += "ende";
  const TCompiled many = Compile(longQuery);
  EXPECT_TRUE(many.Errors.empty());
  EXPECT_EQ(many.Terms, (std::vector<AnsiString>{"WORT", "ENDE"}));

  const std::string longPhrase = "'" + std::string(70000, 'x') + "'";
  EXPECT_EQ(Compile(longPhrase).Terms.front().size(), 70000u);

  for (const char* query : {"AND OR NOT", "((((", "))))", "NOT", "()()", "OR OR OR"}) {
    TParser parser;
    parser.SetExpression(query);
    parser.Parse();
    EXPECT_FALSE(parser.Errors().empty()) << query;
  }

  const std::string deep = std::string(10000, '(') + "a" + std::string(10000, ')');
  EXPECT_EQ(FirstError(deep), "Syntax-Fehler");
  std::string nots;
  for (int i = 0; i < 10000; ++i) nots += "NOT ";
  EXPECT_EQ(FirstError(nots + "a"), "Syntax-Fehler");

  // Nesting that real queries use stays allowed.
  const std::string usual = std::string(100, '(') + "a" + std::string(100, ')');
  const TCompiled ok = Compile(usual);
  EXPECT_TRUE(ok.Errors.empty());
  EXPECT_EQ(ok.Program, "A");
}

TEST(SearchParser, ProgramWithoutTermsIsFalse) {
  TParser parser;
  parser.SetExpression("");
  parser.Parse();
  EXPECT_FALSE(parser.EvaluateMatches({}));
}

}  // namespace
}  // namespace folverin
