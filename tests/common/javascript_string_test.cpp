#include "common/javascript_string.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace folverin {
namespace {

bool IsSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDFFF; }

// Reads a literal the way a script engine does, accepting only what may
// stand in a double-quoted string anywhere: no raw quote, backslash outside
// an escape, line end, control character, "<" or unpaired surrogate. The
// value, or nothing when the literal is not such a string.
std::optional<std::u16string> ReadLiteral(std::u16string_view literal) {
  if (literal.size() < 2 || literal.front() != u'"' || literal.back() != u'"') return std::nullopt;
  const std::u16string_view body = literal.substr(1, literal.size() - 2);
  std::u16string value;
  for (size_t i = 0; i < body.size(); ++i) {
    const char16_t c = body[i];
    if (c == u'\\') {
      if (++i == body.size()) return std::nullopt;
      switch (body[i]) {
        case u'"': value += u'"'; break;
        case u'\\': value += u'\\'; break;
        case u'n': value += u'\n'; break;
        case u'r': value += u'\r'; break;
        case u't': value += u'\t'; break;
        case u'u': {
          if (i + 4 >= body.size()) return std::nullopt;
          char16_t unit = 0;
          for (int k = 1; k <= 4; ++k) {
            const char16_t h = body[i + k];
            const int digit = h >= u'0' && h <= u'9'   ? h - u'0'
                              : h >= u'A' && h <= u'F' ? h - u'A' + 10
                              : h >= u'a' && h <= u'f' ? h - u'a' + 10
                                                       : -1;
            if (digit < 0) return std::nullopt;
            unit = static_cast<char16_t>(unit * 16 + digit);
          }
          value += unit;
          i += 4;
          break;
        }
        default: return std::nullopt;
      }
      continue;
    }
    if (c == u'"' || c < 0x20 || c == 0x7F || c == u'<' || c == 0x2028 || c == 0x2029) return std::nullopt;
    if (IsSurrogate(c)) {
      const bool pair = c <= 0xDBFF && i + 1 < body.size() && body[i + 1] >= 0xDC00 && body[i + 1] <= 0xDFFF;
      if (!pair) return std::nullopt;
      value += c;
      value += body[++i];
      continue;
    }
    value += c;
  }
  return value;
}

void ExpectLiteralOf(std::u16string_view text) {
  const std::u16string literal = JavaScriptString(text);
  const std::optional<std::u16string> value = ReadLiteral(literal);
  ASSERT_TRUE(value.has_value()) << "not a safe literal, input of " << text.size() << " units";
  EXPECT_EQ(*value, text);
}

TEST(JavaScriptString, EscapesWhatWouldEndTheLiteralOrTheScript) {
  const struct {
    std::u16string_view Text;
    std::u16string_view Literal;
  } kRows[] = {
      {u"", u"\"\""},
      {u"Inhalt", u"\"Inhalt\""},
      {u"a\"b", u"\"a\\\"b\""},
      {u"C:\\cd\\", u"\"C:\\\\cd\\\\\""},
      {u"zwei\r\nZeilen\n", u"\"zwei\\r\\nZeilen\\n\""},
      {u"Tab\there", u"\"Tab\\there\""},
      {u"\u2028\u2029", u"\"\\u2028\\u2029\""},
      {u"</script><!--", u"\"\\u003C/script>\\u003C!--\""},
      {std::u16string_view(u"\0\x01\x1F\x7F", 4), u"\"\\u0000\\u0001\\u001F\\u007F\""},
      {u"'einfach' \u00E4\u00F6\u00FC\u00DF", u"\"'einfach' \u00E4\u00F6\u00FC\u00DF\""},
  };
  for (const auto& row : kRows) {
    EXPECT_EQ(JavaScriptString(row.Text), row.Literal);
    ExpectLiteralOf(row.Text);
  }
}

TEST(JavaScriptString, KeepsSurrogatePairsAndEscapesUnpairedOnes) {
  EXPECT_EQ(JavaScriptString(u"\U0001F600"), u"\"\U0001F600\"");
  const char16_t high = 0xD83D, low = 0xDE00;
  EXPECT_EQ(JavaScriptString(std::u16string(1, high)), u"\"\\uD83D\"");
  EXPECT_EQ(JavaScriptString(std::u16string{low, high}), u"\"\\uDE00\\uD83D\"");
  EXPECT_EQ(JavaScriptString(std::u16string{high, u'x', low}), u"\"\\uD83Dx\\uDE00\"");
  for (const std::u16string& text : {std::u16string{high, high, low}, std::u16string{high, low, low},
                                     std::u16string{u'a', high}, std::u16string{low, u'a'}})
    ExpectLiteralOf(text);
}

TEST(JavaScriptString, EveryUnitAloneAndBetweenTextGivesItsOwnValue) {
  for (char32_t unit = 0; unit <= 0xFFFF; ++unit) {
    const char16_t c = static_cast<char16_t>(unit);
    ExpectLiteralOf(std::u16string(1, c));
    ExpectLiteralOf(std::u16string{u'x', c, u'"', c, u'\\'});
    if (::testing::Test::HasFailure()) {
      ADD_FAILURE() << "first failing unit " << static_cast<unsigned>(unit);
      return;
    }
  }
}

}  // namespace
}  // namespace folverin
