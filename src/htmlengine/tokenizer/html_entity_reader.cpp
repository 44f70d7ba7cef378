// Character references (&name; &#123; &#x7B;) in text and in attribute
// values.
#include "common/code_page.h"
#include "htmlengine/tokenizer/html_char_classes.h"
#include "htmlengine/tokenizer/html_entities.h"
#include "htmlengine/tokenizer/html_tokenizer.h"

namespace folverin {

namespace {

constexpr size_t kMaxEntityName = 11;

// References below 32 would put control characters (and the builder's own
// marker characters) into the text.
bool IsControlValue(uint32_t value) { return value < 32 || (value & 0xFFFF) < 32; }

}  // namespace

uint32_t TParseContext::ReadNumber(int base, bool insideComment) {
  // Wraps like the 32-bit arithmetic it stands for; only the low 16 bits
  // are ever used.
  uint32_t value = 0;
  for (;;) {
    const char c = CurrentUpper;
    uint32_t digit;
    if (IsDigitChar(c))
      digit = static_cast<uint32_t>(c - '0');
    else if (base == 16 && IsHexDigitUpper(c))
      digit = static_cast<uint32_t>(c - 'A' + 10);
    else
      return value;
    value = value * static_cast<uint32_t>(base) + digit;
    Advance(insideComment);
  }
}

TParseContext::TEntityReference TParseContext::ReadEntityReference(bool insideComment) {
  static_assert(1 + kMaxEntityName <= TEntityLiteral::kCapacity);
  TEntityReference ref;
  ref.Pos = SourcePos;
  ref.Literal.Add('&', SourcePos);
  Advance(insideComment);
  if (CurrentChar == '#') {
    ref.Literal.Add('#', SourcePos);
    Advance(insideComment);
    int base = 10;
    if (CurrentUpper == 'X') {
      ref.Literal.Add(CurrentChar, SourcePos);
      Advance(insideComment);
      if (!IsHexDigitUpper(CurrentUpper)) return ref;
      base = 16;
    } else if (!IsDigitChar(CurrentChar)) {
      return ref;
    }
    ref.Value = ReadNumber(base, insideComment);
    ref.Resolved = true;
    if (CurrentChar == ';') Advance(insideComment);
    return ref;
  }
  // A name starts with a letter or digit: "&<" must leave the "<" to start a
  // tag, and "&" before a blank or a control byte is a plain ampersand.
  AnsiString name;
  while (name.size() < kMaxEntityName &&
         (IsUpperLetter(CurrentUpper) || IsDigitChar(CurrentUpper))) {
    name += CurrentChar;
    ref.Literal.Add(CurrentChar, SourcePos);
    Advance(insideComment);
  }
  if (const auto code = FindEntity(name)) {
    ref.Resolved = ref.Named = true;
    ref.Value = *code;
    if (CurrentChar == ';') Advance(insideComment);
  }
  return ref;
}

void TParseContext::FlushBytes(TCharCollection& pending, TokenObj& token) {
  // Mostly nothing waits; asking for the code page costs a call then.
  if (pending.Count() == 0) return;
  token.PutBytes(pending, CodePage());
  pending.Clear();
}

void TParseContext::ScanTextEntity(TCharCollection& pending, TokenObj& token) {
  FlushBytes(pending, token);
  const TEntityReference ref = ReadEntityReference(false);
  if (!ref.Resolved)
    for (size_t i = 0; i < ref.Literal.Count; ++i)
      pending.Add(ref.Literal.Bytes[i], ref.Literal.Positions[i]);
  else if (IsControlValue(ref.Value))
    token.PutChar('?', ref.Pos);
  else if (ref.Named || ref.Value >= 256)
    token.PutChar(ref.Value, ref.Pos);
  else  // a byte of the document's code page, like the text around it
    pending.Add(static_cast<char>(ref.Value), ref.Pos);
}

void TParseContext::AppendAttributeEntity(AnsiString& value, int codePage,
                                          bool insideComment) {
  const TEntityReference ref = ReadEntityReference(insideComment);
  if (!ref.Resolved)
    value += ref.Literal.View();
  else if (IsControlValue(ref.Value))
    value += '?';
  else if (ref.Named || ref.Value >= 256)
    value += WideToMultiByte(codePage, std::u16string(1, static_cast<char16_t>(ref.Value)));
  else
    value += static_cast<char>(ref.Value);
}

}  // namespace folverin
