// The tokenizer's character reader: bytes from the document or from include
// results, line ends and tabs, comments, declarations and include comments.
#include <array>
#include <limits>

#include "htmlengine/html_char_classes.h"
#include "htmlengine/html_engine_error.h"
#include "htmlengine/html_tokenizer.h"
#include "htmlengine/japanese_reencoding.h"

namespace folverin {

namespace {

constexpr int kProgressShare = 75;
constexpr size_t kTextCapacity = 300;
constexpr size_t kMaxBlankRuns = 64;
// A handler that answers an include with another include would otherwise
// keep the parse busy for ever.
constexpr int kMaxIncludesPerPass = 10000;

bool IsIncludeNameChar(char upper) {
  return IsUpperLetter(upper) || IsDigitChar(upper) || upper == '_';
}

bool IsTextBlankByte(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Where a piece of plain text bytes that starts before `from` ends: single
// blanks between plain bytes belong to it.
int32_t PlainPieceEnd(const char* text, int32_t from, int32_t end) {
  while (from < end) {
    if (IsPlainTextByte(text[from])) ++from;
    else if (text[from] == ' ' && from + 1 < end && IsPlainTextByte(text[from + 1])) from += 2;
    else break;
  }
  return from;
}

int32_t BlankRunEnd(const char* text, int32_t from, int32_t end) {
  while (from < end && IsTextBlankByte(text[from])) ++from;
  return from;
}

}  // namespace

void TParseContext::PrepareSource(AnsiString text) {
  *this = TParseContext();
  const size_t zero = text.find('\0');
  if (zero != AnsiString::npos) {
    text.resize(zero + 1);  // reading the 0 ends the document as not HTML
  } else if (ContainsIso2022JpEscape(text)) {
    Iso2022JpToShiftJis(text);
    JapaneseConverted = true;
  }
  // Positions are 32-bit; nothing beyond them can be addressed.
  constexpr size_t kMaxLength = std::numeric_limits<int32_t>::max() - 1;
  if (text.size() > kMaxLength) text.resize(kMaxLength);
  Source = std::move(text);
  EndPos = static_cast<int32_t>(Source.size());
  UpdateDirectEnd();
  // Room for the usual run of text at once; a token and a collection made
  // elsewhere, often for one character, start without storage.
  TextToken.Reserve(kTextCapacity);
}

void TParseContext::Rewind() {
  ReadPos = 0;
  SourcePos = -1;
  InputMode = TInputMode::Document;
  Inserted_.clear();
  UpdateDirectEnd();
  IncludeCount_ = 0;
  CurrentChar = CurrentUpper = kEndMarker;
  LineEndState = TLineEndState::None;
  InsideComment = false;
  Symbol = THtmlSymbol::EndOfDocument;
  SymbolValue = 0;
  TagPosition = 0;
  TagAttributes.Clear();
  TextToken.Clear();
}

void TParseContext::BeginReading() {
  Rewind();
  ReadCharSkippingComments();
}

// Reports every multiple of the step that the read position passed in
// moving from `from` to `to`.
void TParseContext::ReportProgress(int32_t from, int32_t to) {
  if (!OnProgress) return;
  for (int64_t mark = (int64_t{from} / kProgressStep + 1) * kProgressStep; mark <= to;
       mark += kProgressStep)
    OnProgress(static_cast<int>(kProgressShare * mark / EndPos));
}

// Ordinary text bytes are copied straight from the document: the reader's
// per-byte work (line ends, comments, inserted text) cannot apply to them.
// A single blank between two of them stays as it is in ScanText too, so it
// joins the run. A longer run of blanks that another plain byte follows
// becomes one blank at the place of its first byte, as ScanText would make
// it, and the run goes on; blanks before anything else are left to ScanText,
// which also passes comments between them. Where bytes wait for the decoder
// the pieces go to PutTextBytes exactly as ScanText would hand them over, so
// decoding sees the same runs. The run opens with the current character.
void TParseContext::TakePlainRun(int codePage) {
  if (!Inserted_.empty() || ReadPos == 0 || Source[ReadPos - 1] != CurrentChar) {
    PutTextBytes(std::string_view(&CurrentChar, 1), SourcePos, codePage);
    return;
  }
  const char* const text = Source.data();
  const int32_t start = ReadPos - 1;
  // A run with more runs of blanks ends before the next one, which ScanText
  // then takes as it would anyway.
  std::array<TokenObj::TBlankRun, kMaxBlankRuns> blanks;
  size_t blankCount = 0;
  int32_t end = ReadPos;
  for (;;) {
    end = PlainPieceEnd(text, end, EndPos);
    if (blankCount == kMaxBlankRuns) break;
    const int32_t next = BlankRunEnd(text, end, EndPos);
    if (next == end || next == EndPos || !IsPlainTextByte(text[next])) break;
    blanks[blankCount++] = {end - start, next - start};
    end = next + 1;
  }
  const std::string_view run(text + start, end - start);
  // While no bytes wait for the decoder, the pieces would all go straight
  // into the token; then they go in at once.
  if (PendingBytes_.Count() != 0 ||
      !TextToken.PutCollapsedRun(run, {blanks.data(), blankCount}, SourcePos, codePage))
    PutPlainPieces(run, SourcePos, codePage);
  if (end > ReadPos) SkipRunTo(end);
}

// The run in the pieces ScanText would hand over one by one: plain bytes
// with single blanks between them, and one blank for each longer run of
// blanks.
void TParseContext::PutPlainPieces(std::string_view run, int32_t firstPos, int codePage) {
  const char* const text = run.data();
  const auto size = static_cast<int32_t>(run.size());
  int32_t start = 0;
  for (;;) {
    const int32_t end = PlainPieceEnd(text, start + 1, size);
    PutTextBytes(run.substr(start, end - start), firstPos + start, codePage);
    if (end == size) return;
    PutTextBytes(" ", firstPos + end, codePage);
    start = BlankRunEnd(text, end, size);
  }
}

// Passes the blanks, tabs and line ends that follow in the document; the
// caller reads on from the byte after them and treats them all as one
// blank. How line ends pair up makes no difference then.
void TParseContext::SkipBlankRun() {
  const std::string_view blanks = DocumentRun(IsTextBlankByte);
  if (!blanks.empty()) SkipRunTo(ReadPos + static_cast<int32_t>(blanks.size()));
}

// The bytes of a quoted attribute value up to the next one that the reader
// or the value's scanner treats specially, copied in one go as in
// TakePlainRun. The run stops at either quote; the scanner takes a quote
// that does not end the value as an ordinary byte and goes on.
void TParseContext::TakeQuotedRun(AnsiString& value) {
  const std::string_view run = DocumentRun(IsPlainQuotedByte);
  if (run.empty()) return;
  value += run;
  SkipRunTo(ReadPos + static_cast<int32_t>(run.size()));
}

// The next byte of the document itself; there must be one, and no inserted
// text may be pending.
inline char TParseContext::NextDocumentByte() {
  InputMode = TInputMode::Document;
  const char byte = Source[ReadPos++];
  ++SourcePos;
  // One byte further passes a step only onto a multiple of it; asking
  // ReportProgress for every byte cost a call per byte.
  if (ReadPos % kProgressStep == 0) ReportProgress(ReadPos - 1, ReadPos);
  return byte;
}

char TParseContext::FetchByte() {
  // The usual case first: a byte of the document itself.
  if (ReadPos < DirectEnd_) [[likely]] return NextDocumentByte();
  while (!Inserted_.empty()) {
    TInsertedText& top = Inserted_.back();
    if (top.Pos < top.Text.size()) return top.Text[top.Pos++];
    Inserted_.pop_back();
    UpdateDirectEnd();
  }
  InputMode = TInputMode::Document;
  if (ReadPos >= EndPos) return kEndMarker;
  return NextDocumentByte();
}

char TParseContext::PeekByte() const {
  for (auto it = Inserted_.rbegin(); it != Inserted_.rend(); ++it)
    if (it->Pos < it->Text.size()) return it->Text[it->Pos];
  return ReadPos < EndPos ? Source[ReadPos] : kEndMarker;
}

void TParseContext::ReadChar() {
  char c;
  if (ReadPos < DirectEnd_ && LineEndState == TLineEndState::None) [[likely]] {
    c = NextDocumentByte();  // FetchByte's usual case without the call
  } else {
    c = FetchByte();
    if ((c == '\n' && LineEndState == TLineEndState::AfterCR) ||
        (c == '\r' && LineEndState == TLineEndState::AfterLF))
      c = FetchByte();
  }
  if (c == '\n') {
    c = '\r';
    LineEndState = TLineEndState::AfterLF;
  } else if (c == '\r') {
    LineEndState = TLineEndState::AfterCR;
  } else {
    LineEndState = TLineEndState::None;
    if (c == '\t') c = ' ';
  }
  CurrentChar = c;
  CurrentUpper = AsciiUpper(c);
  if (c == kEndMarker && InsideComment) throw EParseError("Open Comment at End of HTML File");
}

void TParseContext::Advance(bool insideComment) {
  if (insideComment)
    ReadChar();
  else
    ReadCharSkippingComments();
}

// The reader's full work, for what the inline fast path leaves: line ends,
// tabs, the end marker, comments and inserted text.
void TParseContext::ReadCharOrComment() {
  for (;;) {
    ReadChar();
    if (RawMode || CurrentChar != '<' || PeekByte() != '!') return;
    ReadChar();  // the "!"
    InsideComment = true;
    ReadChar();
    if (CurrentChar == '-' && PeekByte() == '-') {
      ReadChar();
      ReadChar();  // past the second dash
      if (IncludeHandler && CurrentChar == '#')
        ReadIncludeComment();
      else
        SkipDashedComment();
    } else {
      while (CurrentChar != '>') ReadChar();
    }
    InsideComment = false;
  }
}

void TParseContext::SkipDashedComment() {
  for (;;) {
    while (CurrentUpper != '-') ReadChar();
    ReadChar();
    if (CurrentChar != '-') continue;
    while (CurrentChar == '-') ReadChar();
    while (IsBlankChar(CurrentChar)) ReadChar();
    if (CurrentChar == '>') return;
  }
}

// <!--#command name="value" name=value -->
void TParseContext::ReadIncludeComment() {
  ReadChar();  // past "#"
  AnsiString command;
  while (IsIncludeNameChar(CurrentUpper)) {
    command += CurrentChar;
    ReadChar();
  }
  std::vector<AnsiString> params;
  for (;;) {
    while (IsBlankChar(CurrentChar)) ReadChar();
    if (!IsUpperLetter(CurrentUpper)) break;
    AnsiString param;
    while (IsIncludeNameChar(CurrentUpper)) {
      param += CurrentChar;
      ReadChar();
    }
    while (IsBlankChar(CurrentChar)) ReadChar();
    param += '=';
    if (CurrentChar == '=') {
      ReadChar();
      while (IsBlankChar(CurrentChar)) ReadChar();
      param += ReadIncludeValue();
    }
    params.push_back(std::move(param));
  }
  SkipDashedComment();
  RunInclude(command, params);
}

AnsiString TParseContext::ReadIncludeValue() {
  AnsiString value;
  if (CurrentChar == '"' || CurrentChar == '\'') {
    const char quote = CurrentChar;
    ReadChar();
    while (CurrentChar != quote && CurrentChar != kEndMarker) {
      if (CurrentChar == '&') {
        AppendAttributeEntity(value, 0, true);
        continue;
      }
      value += CurrentChar == '\r' ? ' ' : CurrentChar;
      ReadChar();
    }
    if (CurrentChar == quote) ReadChar();
    return value;
  }
  while (!IsBlankChar(CurrentChar) && CurrentChar != '-' && CurrentChar != '>' &&
         CurrentChar != kEndMarker) {
    value += CurrentChar;
    ReadChar();
  }
  return value;
}

void TParseContext::RunInclude(const AnsiString& command,
                               const std::vector<AnsiString>& params) {
  if (IncludeCount_ >= kMaxIncludesPerPass) return;
  ++IncludeCount_;
  AnsiString text;
  IncludeHandler(command, params, text);
  if (text.empty()) return;
  // What is left of the current inserted text follows the new text.
  while (!Inserted_.empty() && Inserted_.back().Pos >= Inserted_.back().Text.size())
    Inserted_.pop_back();
  Inserted_.push_back({std::move(text), 0});
  UpdateDirectEnd();
  InputMode = TInputMode::Inserted;
}

}  // namespace folverin
