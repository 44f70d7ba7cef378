#include "htmlengine/style/style_sheet_parser.h"

#include <string>
#include <vector>

#include "htmlengine/style/style_shorthands.h"
#include "htmlengine/style/style_words.h"

namespace folverin {

namespace {

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsNameChar(char c) { return IsLetter(c) || IsDigit(c) || c == '-'; }
bool IsSelectorChar(char c) {
  return IsNameChar(c) || c == ' ' || c == '#' || c == '.' || c == ':' || c == '_';
}

AnsiString WithoutEnclosingQuotes(const AnsiString& value) {
  if (value.size() > 1 && IsQuote(value.front()) && value.back() == value.front())
    return value.substr(1, value.size() - 2);
  return value;
}

// The reader of one sheet: one character pushed back, comments dropped, a
// carriage return read as a blank.
class TSheetReader {
 public:
  TSheetReader(const TStyleCharSource& source, char pushedBack)
      : Source(source), PushedBack(pushedBack), HasPushedBack(true) {}

  char Current = ' ';

  bool AtStop() const { return Current == kStyleEndOfInput || Current == '<'; }

  void Next() {
    while (true) {
      Current = Raw();
      if (Current != '/') return;
      char after = Raw();
      if (after != '*') {
        Push(after);
        return;
      }
      if (!SkipComment()) return;  // ended at "<" or the end: that stays current
    }
  }

  void SkipBlanks() {
    while (Current == ' ') Next();
  }

 private:
  char Raw() {
    char c;
    if (HasPushedBack) {
      c = PushedBack;
      HasPushedBack = false;
    } else {
      c = Source();
    }
    return c == '\r' ? ' ' : c;
  }

  void Push(char c) {
    PushedBack = c;
    HasPushedBack = true;
  }

  // After "/*": true when "*/" closed it, false when "<" or the end did.
  bool SkipComment() {
    bool star = false;
    while (true) {
      char c = Raw();
      if (c == kStyleEndOfInput || c == '<') {
        Current = c;
        return false;
      }
      if (star && c == '/') return true;
      star = c == '*';
    }
  }

  const TStyleCharSource& Source;
  char PushedBack;
  bool HasPushedBack;
};

class TSheetParser {
 public:
  TSheetParser(TParsedStyleSheet& sheet, TSheetReader& reader, std::string_view base,
               TStylePathForm form)
      : Sheet(sheet), Reader(reader), Base(base), Form(form) {}

  void Run() {
    char& c = Reader.Current;
    while (c == ' ' || c == '!' || c == '-' || c == '<' || c == '>') Reader.Next();
    while (true) {
      if (c == '@') {
        SkipAtRule();
      } else {
        Sheet.Rules.emplace_back();
        ReadSelectors();
        ReadDeclarationBlock();
      }
      while (c == ' ' || c == '-' || c == '>') Reader.Next();
      if (Reader.AtStop()) return;
    }
  }

 private:
  void SkipAtRule() {
    char& c = Reader.Current;
    while (!Reader.AtStop() && c != ';' && c != '{') Reader.Next();
    if (c == '{') SkipBlock();
    else if (c == ';') Reader.Next();
  }

  // Nested blocks are counted rather than recursed into, so that a sheet of
  // a million "{" cannot exhaust the stack.
  void SkipBlock() {
    char& c = Reader.Current;
    int depth = 0;
    while (true) {
      Reader.Next();
      if (Reader.AtStop()) return;
      if (c == '{') ++depth;
      if (c == '}' && depth-- == 0) {
        Reader.Next();
        return;
      }
    }
  }

  void ReadSelectors() {
    char& c = Reader.Current;
    do {
      if (c == ',') Reader.Next();
      Reader.SkipBlanks();
      AnsiString text;
      while (IsSelectorChar(c)) {
        text += c;
        Reader.Next();
      }
      Sheet.Rules.back().Selectors.push_back(LowerCase(Trim(text)));
    } while (c == ',');
    while (!Reader.AtStop() && c != '{') Reader.Next();
  }

  void ReadDeclarationBlock() {
    char& c = Reader.Current;
    if (c != '{') return;
    Reader.Next();
    while (true) {
      Reader.SkipBlanks();
      AnsiString name;
      while (IsNameChar(c)) {
        name += c;
        Reader.Next();
      }
      Reader.SkipBlanks();
      if (c == ':' || c == '=') {
        Reader.Next();
        AnsiString value;
        while (!Reader.AtStop() && c != ';' && c != '}') {
          value += c;
          Reader.Next();
        }
        Apply(LowerCase(Trim(name)), LowerCase(Trim(value)));
      }
      Reader.SkipBlanks();
      if (c == ';') Reader.Next();
      while (!Reader.AtStop() && c != '-' && !IsDigit(c) && !IsLetter(c) && c != '}')
        Reader.Next();
      if (Reader.AtStop() || c == '}') break;
    }
    if (c == '}') Reader.Next();
  }

  void Apply(const AnsiString& name, const AnsiString& rawValue) {
    AnsiString value = WithoutEnclosingQuotes(rawValue);
    auto& declarations = Sheet.Rules.back().Declarations;
    ExpandDeclaration({name, value, rawValue}, Base,
                      [&declarations](std::string_view longName, std::string_view longValue) {
                        declarations.emplace_back(AnsiString(longName), AnsiString(longValue));
                      },
                      Form);
  }

  TParsedStyleSheet& Sheet;
  TSheetReader& Reader;
  std::string_view Base;
  TStylePathForm Form;
};

// Reads the sheet from the source, leaving the reader on the first
// character not consumed.
TParsedStyleSheet ReadSheet(TSheetReader& reader, std::string_view base, TStylePathForm form) {
  TParsedStyleSheet sheet;
  TSheetParser(sheet, reader, base, form).Run();
  return sheet;
}

}  // namespace

AnsiString SelectorKey(std::string_view selector, TStyleList& store) {
  std::vector<std::string_view> parts;
  while (!selector.empty()) {
    size_t blank = selector.find(' ');
    if (blank != 0) parts.push_back(selector.substr(0, blank));
    if (blank == std::string_view::npos) break;
    selector.remove_prefix(blank + 1);
  }
  if (parts.size() < 2) return parts.empty() ? AnsiString() : AnsiString(parts[0]);
  AnsiString key = AnsiString(parts.back()) + " " + std::to_string(parts.size() - 1) +
                   store.NextSequenceNumber();
  for (size_t i = parts.size() - 1; i-- > 0;) key += AnsiString(parts[i]) + " ";
  return key;
}

void ApplyStyleSheet(TStyleList& store, const TParsedStyleSheet& sheet) {
  std::vector<AnsiString> keys;
  for (const TParsedStyleSheet::TRule& rule : sheet.Rules) {
    keys.clear();
    for (const AnsiString& selector : rule.Selectors) keys.push_back(SelectorKey(selector, store));
    for (const auto& [name, value] : rule.Declarations)
      for (const AnsiString& key : keys) store.AddModifyProp(key, name, value);
  }
}

void ParseStyleSheet(TStyleList& store, char& current, const TStyleCharSource& source,
                     std::string_view base, TStylePathForm form) {
  TSheetReader reader(source, current == '\r' ? ' ' : current);
  ApplyStyleSheet(store, ReadSheet(reader, base, form));
  current = AsciiUpper(reader.Current);
}

TParsedStyleSheet ReadStyleSheetText(std::string_view text, std::string_view base,
                                     TStylePathForm form) {
  size_t position = 0;
  TStyleCharSource source = [&]() -> char {
    // A line feed after a carriage return belongs to it; a lone one is a
    // line end of its own.
    while (position < text.size() && text[position] == '\n' && position > 0 &&
           text[position - 1] == '\r')
      ++position;
    if (position >= text.size()) return kStyleEndOfInput;
    char c = text[position++];
    return c == '\t' ? ' ' : c == '\n' ? '\r' : c;
  };
  TSheetReader reader(source, ' ');
  return ReadSheet(reader, base, form);
}

void ParseStyleSheetText(TStyleList& store, std::string_view text, std::string_view base,
                         TStylePathForm form) {
  ApplyStyleSheet(store, ReadStyleSheetText(text, base, form));
}

void ParseInlineStyle(std::string_view text, TProperties& properties) {
  AnsiString lower = LowerCase(text);
  for (char& c : lower)
    if (c == '\r') c = ' ';
  size_t i = 0;
  auto at = [&]() { return i < lower.size() ? lower[i] : '\0'; };
  auto skipBlanks = [&]() { while (at() == ' ') ++i; };
  while (i < lower.size()) {
    skipBlanks();
    size_t nameStart = i;
    while (i < lower.size() && IsNameChar(lower[i])) ++i;
    AnsiString name = Trim(std::string_view(lower).substr(nameStart, i - nameStart));
    skipBlanks();
    if (at() == ':' || at() == '=') {
      size_t valueStart = ++i;
      while (i < lower.size() && lower[i] != ';') ++i;
      AnsiString raw = Trim(std::string_view(lower).substr(valueStart, i - valueStart));
      ExpandDeclaration({name, WithoutEnclosingQuotes(raw), raw}, {},
                        [&properties](std::string_view longName, std::string_view longValue) {
                          properties.AssignByName(longName, longValue);
                        });
    }
    skipBlanks();
    if (at() == ';') ++i;
    while (i < lower.size() && !IsNameChar(lower[i])) ++i;
  }
}

}  // namespace folverin
