#include "browser/navigation_address.h"

#include "common/code_page.h"
#include "common/url_decode.h"
#include "common/windows1252.h"

namespace folverin {

namespace {

// The characters Unicode counts as white space: what a user may leave
// around an address when typing or pasting it.
bool IsWhiteSpace(char16_t c) {
  return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680 ||
         (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F ||
         c == 0x205F || c == 0x3000;
}

bool IsAsciiLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }
bool IsAsciiDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// The length of the scheme before the first ":"; 0 when there is none.
size_t SchemeLength(std::u16string_view text) {
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c == u':') return i;
    const bool allowed =
        IsAsciiLetter(c) || (i > 0 && (IsAsciiDigit(c) || c == u'+' || c == u'-' || c == u'.'));
    if (!allowed) return 0;
  }
  return 0;
}

bool SameAsciiLetters(std::u16string_view text, std::u16string_view lower) {
  if (text.size() != lower.size()) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i] >= u'A' && text[i] <= u'Z' ? static_cast<char16_t>(text[i] + 32) : text[i];
    if (c != lower[i]) return false;
  }
  return true;
}

}  // namespace

TAddress InterpretAddress(std::u16string_view address) {
  size_t begin = 0, end = address.size();
  while (begin < end && IsWhiteSpace(address[begin])) ++begin;
  while (end > begin && IsWhiteSpace(address[end - 1])) --end;
  TAddress result;
  result.Text = std::u16string(address.substr(begin, end - begin));
  if (!result.Text.empty() && result.Text.front() == u'/')
    result.Form = TAddressForm::LocalPath;
  else if (SchemeLength(result.Text) > 1)
    result.Form = TAddressForm::WithScheme;
  return result;
}

bool IsWholeWindowTarget(std::u16string_view frameName) {
  return frameName.empty() || SameAsciiLetters(frameName, u"_self") ||
         SameAsciiLetters(frameName, u"_parent") || SameAsciiLetters(frameName, u"_top");
}

std::u16string DecodedNavigationAddress(std::string_view encoded) {
  const std::string bytes = DecodeWellFormedEscapes(encoded);
  return IsValidUtf8(bytes) ? MultiByteToWide(kCodePageUtf8, bytes) : AnsiToUtf16(bytes);
}

}  // namespace folverin
