// Symbols: tags with their attributes, and runs of text.
#include "htmlengine/html_tokenizer.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "htmlengine/html_char_classes.h"
#include "htmlengine/html_charsets.h"
#include "htmlengine/html_engine_error.h"
#include "htmlengine/japanese_reencoding.h"

namespace folverin {

namespace {

constexpr size_t kMaxTagName = 255;

bool IsStopChar(char c) { return IsControlByte(c) || c == kEndMarker || c == '<'; }

// The whole text as a real number, rounded half to even; nothing when it is
// not one number. Values beyond 32 bits are held at the nearest limit.
std::optional<int32_t> RoundedNumber(std::string_view text) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  const std::string_view digits = !text.empty() && text.front() == '-' ? text.substr(1) : text;
  // from_chars also reads "inf" and "nan", which are no numbers here.
  if (digits.empty() || !(IsDigitChar(digits.front()) || digits.front() == '.'))
    return std::nullopt;
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  const double rounded = std::nearbyint(value);
  if (rounded >= std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (rounded <= std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(rounded);
}

// A quoted value's number: "50%" counts as 50, "yes" as 0.
int32_t NumberOfQuotedValue(const AnsiString& value) {
  // Most values are words, names or addresses; a letter in front can never
  // start a number, and trimming a copy of a long value costs an allocation.
  if (!value.empty() && IsUpperLetter(AsciiUpper(value.front()))) return 0;
  AnsiString copy = Trim(value);
  if (!copy.empty() && copy.find('%') == copy.size() - 1) copy.pop_back();
  if (copy.empty()) return 0;
  const char first = copy.front();
  if (!(first == '+' || first == '-' || first == '.' || IsDigitChar(first))) return 0;
  return RoundedNumber(copy).value_or(0);
}

}  // namespace

void TParseContext::NextSymbol() {
  TextToken.Clear();
  SymbolValue = 0;
  if (CurrentChar == kEndMarker) {
    Symbol = THtmlSymbol::EndOfDocument;
  } else if (CurrentChar == '<') {
    ScanTag();
  } else {
    Symbol = THtmlSymbol::Text;
    if (!ScanText() && IsControlByte(CurrentChar))
      throw EParseError("Not an HTML or Text document");
  }
}

void TParseContext::ScanTag() {
  TagPosition = SourcePos;
  ReadCharSkippingComments();
  bool endTag = false;
  if (CurrentChar == '/') {
    endTag = true;
    ReadCharSkippingComments();
  } else if (!IsUpperLetter(CurrentUpper)) {
    Symbol = THtmlSymbol::Text;
    TextToken.PutChar('<', TagPosition);
    return;
  }
  char name[kMaxTagName];
  size_t length = 0;
  while (IsUpperLetter(CurrentUpper)) {
    if (length < kMaxTagName) name[length++] = CurrentUpper;
    // The rest of the name at once where the document holds it.
    const std::string_view rest = DocumentRun(IsLetterByte);
    for (const char c : rest)
      if (length < kMaxTagName) name[length++] = AsciiUpper(c);
    if (!rest.empty()) SkipRunTo(ReadPos + static_cast<int32_t>(rest.size()));
    ReadCharSkippingComments();
  }
  const TTagSymbols symbols = LookupTag(std::string_view(name, length));
  Symbol = endTag ? symbols.End : symbols.Start;
  SkipBlanks();
  if (IsHeadingSymbol(Symbol) && CurrentChar >= '1' && CurrentChar <= '6') {
    SymbolValue = CurrentChar - '0';
    ReadCharSkippingComments();
  }
  TagAttributes.Clear();
  while (ScanAttribute()) {
  }
  while (CurrentChar != '>' && CurrentChar != kEndMarker) ReadCharSkippingComments();
  // The style sheet parser starts at the ">" itself.
  if (Symbol != THtmlSymbol::Style) ReadCharSkippingComments();
}

bool TParseContext::ScanAttribute() {
  SkipBlanks();
  if (!IsUpperLetter(CurrentUpper)) return false;  // also "/" in <br/>
  TAttribute& attribute = TagAttributes.PrepareNext();
  while (IsAttributeNameByte(CurrentChar)) {
    attribute.Name += CurrentUpper;
    const std::string_view rest = DocumentRun(IsAttributeNameByte);
    for (const char c : rest) attribute.Name += AsciiUpper(c);
    if (!rest.empty()) SkipRunTo(ReadPos + static_cast<int32_t>(rest.size()));
    ReadCharSkippingComments();
  }
  attribute.Symbol = LookupAttribute(attribute.Name);
  attribute.Numeric = attribute.Symbol == THtmlAttribute::Border ? 1 : 0;
  SkipBlanks();
  if (CurrentChar == '=') {
    ReadCharSkippingComments();
    SkipBlanks();
    ScanAttributeValue(attribute);
  }
  if (attribute.Symbol == THtmlAttribute::ID && !attribute.Value.empty() && OnRegisterID)
    OnRegisterID(attribute.Value, SourcePos);
  TagAttributes.CommitNext();
  return true;
}

void TParseContext::ScanAttributeValue(TAttribute& attribute) {
  if (CurrentChar == '"' || CurrentChar == '\'')
    ScanQuotedValue(attribute);
  else if (CurrentChar == '+' || CurrentChar == '-' || IsDigitChar(CurrentChar))
    ScanNumericValue(attribute);
  else
    ScanUnquotedValue(attribute);
}

void TParseContext::ScanQuotedValue(TAttribute& attribute) {
  const char quote = CurrentChar;
  ReadCharSkippingComments();
  while (CurrentChar != quote && CurrentChar != kEndMarker) {
    if (CurrentChar == '&') {
      AppendAttributeEntity(attribute.Value, CodePage(), false);
      continue;
    }
    if (CurrentChar != '\r') attribute.Value += CurrentChar;
    TakeQuotedRun(attribute.Value);
    ReadCharSkippingComments();
  }
  if (CurrentChar == quote) ReadCharSkippingComments();
  attribute.Numeric = NumberOfQuotedValue(attribute.Value);
}

void TParseContext::ScanNumericValue(TAttribute& attribute) {
  while (!IsBlankChar(CurrentChar) && CurrentChar != '%' && CurrentChar != '>' &&
         CurrentChar != kEndMarker) {
    attribute.Value += CurrentChar;
    ReadCharSkippingComments();
  }
  SkipBlanks();
  attribute.Numeric = RoundedNumber(attribute.Value).value_or(0);
  if (CurrentChar == '%') {
    attribute.Value += '%';
    ReadCharSkippingComments();
  }
}

void TParseContext::ScanUnquotedValue(TAttribute& attribute) {
  while (!IsBlankChar(CurrentChar) && CurrentChar != '>' && CurrentChar != kEndMarker) {
    attribute.Value += CurrentChar;
    ReadCharSkippingComments();
  }
}

bool TParseContext::ScanText() {
  bool took = false;
  PendingBytes_.Clear();
  while (!IsStopChar(CurrentChar)) {
    took = true;
    if (IsBlankChar(CurrentChar)) {
      PendingBytes_.Add(' ', SourcePos);
      SkipBlankRun();
      do ReadCharSkippingComments();
      while (IsBlankChar(CurrentChar));
    } else if (CurrentChar == '&') {
      ScanTextEntity(PendingBytes_, TextToken);
    } else {
      PendingBytes_.Add(CurrentChar, SourcePos);
      TakePlainRun(PendingBytes_);
      ReadCharSkippingComments();
    }
  }
  FlushBytes(PendingBytes_, TextToken);
  return took;
}

bool TParseContext::DecodeCharset(std::string_view text, int& charset) {
  const XRec* record = MatchCharsetRecord(text);
  if (record == nullptr) return false;
  if (IsEucJpRecord(*record) && !JapaneseConverted) {
    EucJpToShiftJis(Source);
    JapaneseConverted = true;
    // The character after the tag was read before the conversion; when it
    // is the first byte of a pair it must be read as converted too.
    const bool fromDocument = Inserted_.empty() && SourcePos >= 0;
    if (fromDocument && static_cast<unsigned char>(CurrentChar) > 160) {
      CurrentChar = Source[SourcePos];
      CurrentUpper = AsciiUpper(CurrentChar);
    }
  }
  charset = record->Charset;
  return true;
}

}  // namespace folverin
