// Symbols: tags with their attributes, and runs of text.
#include "htmlengine/tokenizer/html_tokenizer.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

#include "htmlengine/support/html_charsets.h"
#include "htmlengine/support/html_engine_error.h"
#include "htmlengine/tokenizer/html_char_classes.h"
#include "htmlengine/tokenizer/japanese_reencoding.h"

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

// How often the byte `last` stands in the text after `before` (in lower
// case) in any case. The rarer last byte is the one searched for.
size_t CountOccurrences(std::string_view text, std::string_view before, char last) {
  size_t count = 0;
  const char* const begin = text.data();
  const char* const end = begin + text.size();
  for (const char* at = begin;
       (at = static_cast<const char*>(std::memchr(at, last, end - at))) != nullptr; ++at) {
    if (static_cast<size_t>(at - begin) < before.size()) continue;
    const char* from = at - before.size();
    size_t i = 0;
    while (i < before.size() && AsciiLower(from[i]) == before[i]) ++i;
    if (i == before.size()) ++count;
  }
  return count;
}

}  // namespace

size_t MostHrefNames(std::string_view text) {
  return CountOccurrences(text, "hre", 'f') + CountOccurrences(text, "hre", 'F') +
         CountOccurrences(text, "<", '!');
}

void TParseContext::NextSymbol() {
  TextToken.Clear();
  SymbolValue = 0;
  if (CurrentChar == kEndMarker) {
    Symbol = THtmlSymbol::EndOfDocument;
  } else if (CurrentChar == '<') {
    ScanTag();
  } else {
    Symbol = THtmlSymbol::Text;
    const bool took = TagsOnly ? SkipText() : ScanText();
    if (!took && IsControlByte(CurrentChar))
      throw EParseError("Not an HTML or Text document");
  }
}

void TParseContext::ScanTag() {
  TagPosition = SourcePos;
  char name[kMaxTagName];
  size_t length = 0;
  // Takes the letters from `from` on in the document into the name and
  // moves the reader past them. True when the ">" right after them was
  // passed too, as the reader would read it: most names are closed at once
  // (all end tags, many start tags). Letters past the longest name are read
  // and dropped.
  const auto takeNameRun = [&](int32_t from) {
    int32_t end = from;
    while (end < DirectEnd_ && IsLetterByte(Source[end])) ++end;
    const char* const letters = Source.data() + from;
    const size_t kept = std::min(static_cast<size_t>(end - from), kMaxTagName - length);
    std::transform(letters, letters + kept, name + length, AsciiUpper);
    length += kept;
    if (end < DirectEnd_ && Source[end] == '>') {
      SkipRunTo(end + 1);
      return true;
    }
    if (end > ReadPos) SkipRunTo(end);
    ReadCharSkippingComments();
    return false;
  };
  bool endTag = false;
  bool closed = false;
  // Mostly the name follows the "<" or "</" at once in the document; it is
  // then taken with its first letter in one run.
  const bool slash = ReadPos < DirectEnd_ && Source[ReadPos] == '/';
  const int32_t nameFrom = slash ? ReadPos + 1 : ReadPos;
  if (nameFrom < DirectEnd_ && IsLetterByte(Source[nameFrom])) {
    endTag = slash;
    closed = takeNameRun(nameFrom);
  } else {
    ReadCharSkippingComments();
    if (CurrentChar == '/') {
      endTag = true;
      ReadCharSkippingComments();
    } else if (!IsUpperLetter(CurrentUpper)) {
      Symbol = THtmlSymbol::Text;
      if (!TagsOnly) TextToken.PutChar('<', TagPosition);
      return;
    }
  }
  while (!closed && IsUpperLetter(CurrentUpper)) {
    if (length < kMaxTagName) name[length++] = CurrentUpper;
    closed = takeNameRun(ReadPos);
  }
  const TTagSymbols symbols = LookupTag(std::string_view(name, length));
  Symbol = endTag ? symbols.End : symbols.Start;
  SkipBlanks();
  if (IsHeadingSymbol(Symbol) && CurrentChar >= '1' && CurrentChar <= '6') {
    SymbolValue = CurrentChar - '0';
    ReadCharSkippingComments();
  }
  TagAttributes.Clear();
  if (CurrentChar != '>') {
    while (ScanAttribute()) {
    }
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
    const std::string_view rest = DocumentRun(IsAttributeNameByte);
    const size_t old = attribute.Name.size();
    attribute.Name.resize(old + 1 + rest.size());
    attribute.Name[old] = CurrentUpper;
    std::transform(rest.begin(), rest.end(), attribute.Name.begin() + old + 1, AsciiUpper);
    const int32_t end = ReadPos + static_cast<int32_t>(rest.size());
    // Most names are followed at once by their "="; it is passed with
    // them, as the reader would read it.
    if (end < DirectEnd_ && Source[end] == '=') {
      SkipRunTo(end + 1);
      break;
    }
    if (!rest.empty()) SkipRunTo(end);
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
  // Most values are plain bytes of the document up to the closing quote.
  if (!TakeQuotedRun(attribute.Value, quote)) ReadCharSkippingComments();
  while (CurrentChar != quote && CurrentChar != kEndMarker) {
    if (CurrentChar == '&') {
      AppendAttributeEntity(attribute.Value, CodePage(), false);
      continue;
    }
    if (CurrentChar != '\r') attribute.Value += CurrentChar;
    if (!TakeQuotedRun(attribute.Value, quote)) ReadCharSkippingComments();
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
  DirectFrom_ = static_cast<size_t>(TextToken.Count());
  const int codePage = CodePage();
  while (!IsStopChar(CurrentChar)) {
    took = true;
    if (IsBlankChar(CurrentChar)) {
      PutTextBytes(" ", SourcePos, codePage);
      SkipBlankRun();
      do ReadCharSkippingComments();
      while (IsBlankChar(CurrentChar));
    } else if (CurrentChar == '&') {
      ScanTextEntity(PendingBytes_, TextToken);
      if (PendingBytes_.Count() == 0) DirectFrom_ = static_cast<size_t>(TextToken.Count());
    } else {
      TakePlainRun(codePage);
      ReadCharSkippingComments();
    }
  }
  FlushBytes(PendingBytes_, TextToken);
  return took;
}

// Text bytes go straight into the token while the code page gives each of
// them a character of its own. Bytes that need the decoder wait in the
// pending bytes, and the direct characters before them since the last
// decoding join them there, so the decoder sees the same runs as it would
// without the shortcut.
void TParseContext::PutTextBytes(std::string_view bytes, int32_t firstPos, int codePage) {
  if (PendingBytes_.Count() == 0) {
    if (TextToken.PutSingleByteRun(bytes, firstPos, codePage)) return;
    // Only ASCII in UTF-8 can have gone in directly before bytes that fail.
    TextToken.MoveAsciiTo(DirectFrom_, PendingBytes_);
  }
  PendingBytes_.AddRun(bytes, firstPos);
}

// What ScanText passes over, without collecting it: entity references and
// blanks consist of bytes that do not stop text, so the symbol ends at the
// same place.
bool TParseContext::SkipText() {
  bool took = false;
  while (!IsStopChar(CurrentChar)) {
    took = true;
    const std::string_view run = DocumentRun(IsSkippableTextByte);
    if (!run.empty()) SkipRunTo(ReadPos + static_cast<int32_t>(run.size()));
    ReadCharSkippingComments();
  }
  return took;
}

bool TParseContext::DecodeCharset(std::string_view text, int& charset) {
  const XRec* record = MatchCharsetRecord(text);
  if (record == nullptr) return false;
  if (IsEucJpRecord(*record) && !JapaneseConverted) {
    // The caller's text stays as it was; the context reads a converted copy.
    EucJpToShiftJis(OwnSource());
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
