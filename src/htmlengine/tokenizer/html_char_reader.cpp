// The tokenizer's character reader: bytes from the document or from include
// results, line ends and tabs, comments, declarations and include comments.
#include <array>
#include <limits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "htmlengine/support/html_engine_error.h"
#include "htmlengine/tokenizer/byte_order_mark.h"
#include "htmlengine/tokenizer/html_char_classes.h"
#include "htmlengine/tokenizer/html_tokenizer.h"
#include "htmlengine/tokenizer/japanese_reencoding.h"

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

#if defined(__SSE2__)
// The lanes of the bytes that IsPlainTextByte rejects: up to 10 (control
// bytes, tab, line feed), carriage return, the end marker 26, " ", "&" and
// "<".
__m128i NotPlainTextBytes(__m128i bytes) {
  // An unsigned byte is at most 10 when its minimum with 10 is itself.
  __m128i found = _mm_cmpeq_epi8(_mm_min_epu8(bytes, _mm_set1_epi8(10)), bytes);
  for (const char c : {'\r', '\x1A', ' ', '&', '<'})
    found = _mm_or_si128(found, _mm_cmpeq_epi8(bytes, _mm_set1_epi8(c)));
  return found;
}

// The first place from `from` on where a piece of plain text stops (as in
// PlainPieceEnd), looked for sixteen bytes at a time while the byte after
// them is there too; where fewer are left, the place to go on from byte by
// byte.
int32_t PlainPieceStopInBlocks(const char* text, int32_t from, int32_t end) {
  const __m128i blank = _mm_set1_epi8(' ');
  while (end - from >= 17) {
    const __m128i here = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + from));
    const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + from + 1));
    // A blank that a plain byte follows does not stop the piece.
    const __m128i keptBlank =
        _mm_andnot_si128(NotPlainTextBytes(next), _mm_cmpeq_epi8(here, blank));
    const auto stops = static_cast<unsigned>(
        _mm_movemask_epi8(_mm_andnot_si128(keptBlank, NotPlainTextBytes(here))));
    if (stops != 0) return from + __builtin_ctz(stops);
    from += 16;
  }
  return from;
}

// The first byte from `from` on that IsPlainQuotedByte rejects (tab, line
// ends, the end marker, "<", "&" and both quotes), looked for sixteen bytes
// at a time; where fewer are left, the place to go on from byte by byte.
int32_t QuotedStopInBlocks(const char* text, int32_t from, int32_t end) {
  while (end - from >= 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + from));
    __m128i found = _mm_setzero_si128();
    for (const char c : {'\t', '\n', '\r', '\x1A', '<', '&', '"', '\''})
      found = _mm_or_si128(found, _mm_cmpeq_epi8(bytes, _mm_set1_epi8(c)));
    const auto stops = static_cast<unsigned>(_mm_movemask_epi8(found));
    if (stops != 0) return from + __builtin_ctz(stops);
    from += 16;
  }
  return from;
}
#endif

// Where a piece of plain text bytes that starts before `from` ends: single
// blanks between plain bytes belong to it. Text runs are long, so on x86
// they are scanned sixteen bytes at a time, and the rest byte by byte.
int32_t PlainPieceEnd(const char* text, int32_t from, int32_t end) {
#if defined(__SSE2__)
  from = PlainPieceStopInBlocks(text, from, end);
#endif
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
  OwnedSource_ = std::make_unique<AnsiString>(std::move(text));
  TakeSource(*OwnedSource_);
}

void TParseContext::PrepareSourceView(std::string_view text) {
  *this = TParseContext();
  TakeSource(text);
}

void TParseContext::ReleaseSource() {
  Source = {};
  EndPos = 0;
  ReadPos = 0;
  UpdateDirectEnd();
  OwnedSource_.reset();
}

void TParseContext::TakeSource(std::string_view text) {
  Source = text;
  // A byte order mark names the encoding and is no part of the text;
  // UTF-16 is read as the same text in UTF-8.
  const TByteOrderMark mark = ByteOrderMarkOf(text);
  if (mark != TByteOrderMark::None) {
    MarkedUtf8 = true;
    const std::string_view rest = text.substr(ByteOrderMarkLength(mark));
    if (mark == TByteOrderMark::Utf8) {
      Source = rest;
    } else {
      OwnedSource_ = std::make_unique<AnsiString>(
          Utf16BytesToUtf8(rest, mark == TByteOrderMark::Utf16BE));
      Source = *OwnedSource_;
    }
  }
  const size_t zero = Source.find('\0');
  if (zero != std::string_view::npos) {
    Source = Source.substr(0, zero + 1);  // reading the 0 ends the document as not HTML
  } else if (!MarkedUtf8 && ContainsIso2022JpEscape(Source)) {
    Iso2022JpToShiftJis(OwnSource());
    Source = *OwnedSource_;  // shorter by the escapes
    JapaneseConverted = true;
  }
  // Positions are 32-bit; nothing beyond them can be addressed.
  constexpr size_t kMaxLength = std::numeric_limits<int32_t>::max() - 1;
  if (Source.size() > kMaxLength) Source = Source.substr(0, kMaxLength);
  EndPos = static_cast<int32_t>(Source.size());
  UpdateDirectEnd();
  // Room for the usual run of text at once; a token and a collection made
  // elsewhere, often for one character, start without storage.
  TextToken.Reserve(kTextCapacity);
}

AnsiString& TParseContext::OwnSource() {
  if (!OwnedSource_ || Source.data() != OwnedSource_->data() ||
      Source.size() != OwnedSource_->size())
    OwnedSource_ = std::make_unique<AnsiString>(Source);
  Source = *OwnedSource_;
  return *OwnedSource_;
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

// Adding the bytes one by one cost a reader step and two appends for each.
void TParseContext::TakePreformattedRun(TCharCollection& pending, size_t most) {
  pending.Add(CurrentChar, SourcePos);
  std::string_view run = DocumentRun(IsPlainPreformattedByte);
  if (run.size() > most) run = run.substr(0, most);
  if (run.empty()) return;
  pending.AddRun(run, SourcePos + 1);
  SkipRunTo(ReadPos + static_cast<int32_t>(run.size()));
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
// that does not end the value as an ordinary byte and goes on. True when
// the closing quote follows in the document: the reader then stands on it,
// as reading on would have put it there.
bool TParseContext::TakeQuotedRun(AnsiString& value, char quote) {
  const std::string_view run = QuotedDocumentRun();
  const int32_t end = ReadPos + static_cast<int32_t>(run.size());
  if (!run.empty()) value += run;
  if (end < DirectEnd_ && Source[end] == quote) {
    SkipRunTo(end + 1);
    return true;
  }
  if (!run.empty()) SkipRunTo(end);
  return false;
}

// DocumentRun(IsPlainQuotedByte), in blocks where the processor allows.
std::string_view TParseContext::QuotedDocumentRun() const {
  if (ReadPos >= DirectEnd_) return {};
  const char* const text = Source.data();
  int32_t end = ReadPos;
#if defined(__SSE2__)
  end = QuotedStopInBlocks(text, end, DirectEnd_);
#endif
  while (end < DirectEnd_ && IsPlainQuotedByte(text[end])) ++end;
  return {text + ReadPos, static_cast<size_t>(end - ReadPos)};
}

// The next byte of the document itself; there must be one, and no inserted
// text may be pending.
inline char TParseContext::NextDocumentByte() {
  InputMode = TInputMode::Document;
  const char byte = Source[ReadPos++];
  ++SourcePos;
  // One byte further passes a step only onto a multiple of it; asking
  // ReportProgress for every byte cost a call per byte.
  if (IsProgressStep(ReadPos)) ReportProgress(ReadPos - 1, ReadPos);
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
