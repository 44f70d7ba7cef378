#include "search/hit_highlight.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "common/windows1252.h"
#include "search/search_parser.h"

namespace folverin {

namespace {

// The occurrences of one term in the program: the term's index and whether
// it stands under an odd number of NOTs.
struct TTermSign {
  int TermIndex = 0;
  bool Negated = false;
};

void AppendUtf16(std::u16string& out, uint32_t code) {
  if (code >= 0x10000) {
    code -= 0x10000;
    out += static_cast<char16_t>(0xD800 + (code >> 10));
    out += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
  } else {
    out += static_cast<char16_t>(code);
  }
}

std::optional<uint32_t> NumericEntity(std::string_view digits) {
  int base = 10;
  if (!digits.empty() && (digits.front() == 'x' || digits.front() == 'X')) {
    base = 16;
    digits.remove_prefix(1);
  }
  if (digits.empty() || digits.size() > 8) return std::nullopt;
  uint32_t value = 0;
  for (char c : digits) {
    int digit = -1;
    if (c >= '0' && c <= '9') digit = c - '0';
    if (base == 16 && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    if (base == 16 && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    if (digit < 0) return std::nullopt;
    value = value * static_cast<uint32_t>(base) + static_cast<uint32_t>(digit);
  }
  // No character 0, no lone surrogate, nothing beyond Unicode.
  if (value == 0 || (value >= 0xD800 && value <= 0xDFFF) || value > 0x10FFFF) return std::nullopt;
  return value;
}

// The character of an entity name (without "&" and ";"), any letter case.
std::optional<uint32_t> EntityCharacter(std::string_view name) {
  if (!name.empty() && name.front() == '#') return NumericEntity(name.substr(1));
  static constexpr struct {
    const char* Name;
    uint32_t Code;
  } kNamed[] = {{"AUML", 0xE4}, {"OUML", 0xF6}, {"UUML", 0xFC}, {"SZLIG", 0xDF}, {"AMP", '&'},
                {"LT", '<'},    {"GT", '>'},    {"QUOT", '"'},  {"NBSP", 0xA0}};
  for (const auto& entity : kNamed)
    if (SameText(name, entity.Name)) return entity.Code;
  return std::nullopt;
}

// Decodes the entities that end in ";"; every other "&" stays as written.
std::u16string DecodeEntities(std::string_view ansi) {
  std::u16string out;
  out.reserve(ansi.size());
  size_t i = 0;
  while (i < ansi.size()) {
    if (ansi[i] == '&') {
      const size_t end = ansi.find(';', i + 1);
      if (end != std::string_view::npos) {
        if (auto code = EntityCharacter(ansi.substr(i + 1, end - i - 1))) {
          AppendUtf16(out, *code);
          i = end + 1;
          continue;
        }
      }
    }
    out += Windows1252ToUnicode(static_cast<unsigned char>(ansi[i]));
    ++i;
  }
  return out;
}

}  // namespace

std::vector<AnsiString> PositiveTerms(const TParser& parser) {
  if (!parser.Errors().empty()) return {};
  // The program is postfix: each value on this stack is the list of term
  // occurrences of one sub-expression, and a NOT turns over the signs of
  // all of them.
  std::vector<std::vector<TTermSign>> stack;
  for (const TProgramStep& step : parser.Program()) {
    switch (step.Kind) {
      case tokTerm:
        stack.push_back({{step.TermIndex, false}});
        break;
      case tokNot:
        if (stack.empty()) return {};
        for (TTermSign& sign : stack.back()) sign.Negated = !sign.Negated;
        break;
      case tokAnd:
      case tokOr: {
        if (stack.size() < 2) return {};
        std::vector<TTermSign> right = std::move(stack.back());
        stack.pop_back();
        stack.back().insert(stack.back().end(), right.begin(), right.end());
        break;
      }
      default:
        break;
    }
  }
  std::vector<bool> positive(parser.Terms().size(), false);
  for (const std::vector<TTermSign>& signs : stack)
    for (const TTermSign& sign : signs)
      if (!sign.Negated) positive[static_cast<size_t>(sign.TermIndex)] = true;
  std::vector<AnsiString> terms;
  for (size_t i = 0; i < positive.size(); ++i)
    if (positive[i]) terms.push_back(parser.Terms()[i]);
  return terms;
}

char16_t FoldForHighlight(char16_t c) {
  if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - 32);
  // à to þ without ÷; ß and ÿ have no upper case in Latin-1.
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<char16_t>(c - 32);
  return c;
}

std::u16string FoldForHighlight(std::u16string_view text) {
  std::u16string folded(text);
  for (char16_t& c : folded) c = FoldForHighlight(c);
  return folded;
}

std::u16string HighlightKey(std::string_view term) {
  const AnsiString trimmed = Trim(term);
  // No stretch of text holds a "<", so the search never finds such a term.
  if (trimmed.find('<') != AnsiString::npos) return {};
  return FoldForHighlight(DecodeEntities(trimmed));
}

std::vector<std::u16string> HighlightKeys(std::string_view query) {
  TParser parser;
  parser.SetExpression(Trim(query));
  parser.Parse();
  std::vector<std::u16string> keys;
  for (const AnsiString& term : PositiveTerms(parser)) {
    std::u16string key = HighlightKey(term);
    if (!key.empty() && std::find(keys.begin(), keys.end(), key) == keys.end())
      keys.push_back(std::move(key));
  }
  return keys;
}

std::vector<THitRange> FindHits(std::u16string_view text, const std::vector<std::u16string>& keys) {
  const std::u16string folded = FoldForHighlight(text);
  std::vector<THitRange> found;
  for (const std::u16string& key : keys) {
    if (key.empty()) continue;
    for (size_t pos = folded.find(key); pos != std::u16string::npos;
         pos = folded.find(key, pos + key.size()))
      found.push_back({pos, key.size()});
  }
  std::sort(found.begin(), found.end(),
            [](const THitRange& a, const THitRange& b) { return a.Start < b.Start; });
  std::vector<THitRange> joined;
  for (const THitRange& range : found) {
    if (!joined.empty() && range.Start < joined.back().Start + joined.back().Length) {
      THitRange& last = joined.back();
      last.Length = std::max(last.Start + last.Length, range.Start + range.Length) - last.Start;
    } else {
      joined.push_back(range);
    }
  }
  return joined;
}

}  // namespace folverin
