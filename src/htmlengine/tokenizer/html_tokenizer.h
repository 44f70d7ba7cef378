// The tokenizer: reads the 8-bit text of one document and produces the
// symbols the document builder works on (tags with their attributes, runs of
// 16-bit text with source positions, the end of the document).
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "common/ansi_string.h"
#include "htmlengine/tokenizer/char_collection.h"
#include "htmlengine/tokenizer/html_attributes.h"
#include "htmlengine/tokenizer/html_char_classes.h"
#include "htmlengine/tokenizer/html_symbols.h"
#include "htmlengine/tokenizer/token_obj.h"

namespace folverin {

// Returned by every read after the last byte (and by a byte 26 in the text).
inline constexpr char kEndMarker = 26;

enum class TInputMode : uint8_t { Document, Inserted };
enum class TLineEndState : uint8_t { None, AfterCR, AfterLF };

// The view's OnInclude: answers a server-side include comment with text that
// is read in place of the comment.
using TIncludeHandler = std::function<void(const AnsiString& command,
                                           const std::vector<AnsiString>& params,
                                           AnsiString& iString)>;
// The document's ID table: an ID attribute and the position it was read at.
using TIDHandler = std::function<void(const AnsiString& id, int32_t sourcePos)>;
// Progress of the main pass in percent (0-75).
using TProgressHandler = std::function<void(int percent)>;
// The code page of the property set on top of the builder's stack.
using TCodePageSource = std::function<int()>;

class TParseContext {
 public:
  // --- Document and reading state ---
  // The document's bytes: the caller's text itself where it can be read as
  // it is, else a converted copy that the context keeps.
  std::string_view Source;
  int32_t ReadPos = 0;
  int32_t EndPos = 0;
  TInputMode InputMode = TInputMode::Document;
  int32_t SourcePos = -1;
  char CurrentChar = kEndMarker;
  char CurrentUpper = kEndMarker;
  TLineEndState LineEndState = TLineEndState::None;
  bool InsideComment = false;
  bool RawMode = false;
  bool JapaneseConverted = false;
  // The document starts with a byte order mark and is read as UTF-8.
  bool MarkedUtf8 = false;

  // --- Last symbol ---
  THtmlSymbol Symbol = THtmlSymbol::EndOfDocument;
  int32_t SymbolValue = 0;
  int32_t TagPosition = 0;
  TAttributeList TagAttributes;
  TokenObj TextToken;

  // The pre-pass looks at tags only: text symbols then come without their
  // characters, which spares decoding text that nobody reads.
  bool TagsOnly = false;

  // --- Set by the builder for the main pass ---
  TIncludeHandler IncludeHandler;
  TIDHandler OnRegisterID;
  TProgressHandler OnProgress;
  TCodePageSource CodePageSource;
  int DefaultCodePage = 0;  // when no CodePageSource is set: system ANSI

  // Starts a new parse of the text: every field is reset, the text is cut
  // after a byte 0 or converted from ISO-2022-JP (JapaneseConverted then
  // tells the builder to give the bottom property set SHIFTJIS_CHARSET);
  // a byte order mark is taken off and UTF-16 becomes UTF-8 (MarkedUtf8).
  void PrepareSource(AnsiString text);
  // The same without copying the text, which must then stay unchanged until
  // the parse is over (ReleaseSource): a copy of every document only to
  // read it cost a large block and its pages per document.
  void PrepareSourceView(std::string_view text);
  // Lets go of the text; a new parse starts with PrepareSource.
  void ReleaseSource();
  // Back to the start of the document for another pass; the next read
  // delivers the first character.
  void Rewind();
  // Rewind and read the first character; may raise EParseError.
  void BeginReading();

  // Character reading (may raise EParseError).
  char FetchByte();
  char PeekByte() const;
  void ReadChar();
  inline void ReadCharSkippingComments();
  void SkipBlanks() {
    while (IsBlankChar(CurrentChar)) ReadCharSkippingComments();
  }

  // Produces the next symbol (may raise EParseError).
  void NextSymbol();

  // Decodes the entity reference at the current `&` into the pending bytes
  // and the token, as text does (also used for preformatted text).
  void ScanTextEntity(TCharCollection& pending, TokenObj& token);
  // Preformatted text: adds the current character to the pending bytes,
  // and with it up to `most` bytes that follow it in the document and that
  // neither the reader nor preformatted text treats specially (see
  // IsPlainPreformattedByte); the reader then stands on the last byte added.
  void TakePreformattedRun(TCharCollection& pending, size_t most);
  // Decodes the pending bytes into the token with the current code page.
  void FlushBytes(TCharCollection& pending, TokenObj& token);

  // Looks a character set name up; an EUC-JP name re-encodes the document to
  // Shift_JIS (once).
  bool DecodeCharset(std::string_view text, int& charset);

  int CodePage() const { return CodePageSource ? CodePageSource() : DefaultCodePage; }

 private:
  struct TInsertedText {
    AnsiString Text;
    size_t Pos = 0;
  };
  // The bytes of a reference as written ("&", "&#", "&#x", "&name") with
  // their positions. A reference is short, so they are kept in place: text
  // with many references would otherwise allocate for each of them.
  struct TEntityLiteral {
    static constexpr size_t kCapacity = 12;  // "&" and the longest name read
    std::array<char, kCapacity> Bytes{};
    std::array<int32_t, kCapacity> Positions{};
    size_t Count = 0;

    void Add(char byte, int32_t pos) {
      if (Count == kCapacity) return;
      Bytes[Count] = byte;
      Positions[Count] = pos;
      ++Count;
    }
    std::string_view View() const { return {Bytes.data(), Count}; }
  };
  // One entity reference as read: resolved to a value, or literal bytes.
  struct TEntityReference {
    bool Resolved = false;
    bool Named = false;
    uint32_t Value = 0;
    int32_t Pos = 0;
    TEntityLiteral Literal;
  };

  static constexpr int32_t kProgressStep = 4096;
  // Read positions are never negative and the step is a power of two, so
  // the reader's tests for a step, made for nearly every byte, are a mask
  // and an exclusive or instead of signed divisions.
  static_assert((kProgressStep & (kProgressStep - 1)) == 0);
  static bool IsProgressStep(int32_t pos) {
    return (static_cast<uint32_t>(pos) & (kProgressStep - 1)) == 0;
  }
  static bool PassesProgressStep(int32_t from, int32_t to) {
    return (static_cast<uint32_t>(from) ^ static_cast<uint32_t>(to)) >= kProgressStep;
  }

  // Whether a "<" before the byte at `pos` can open a comment or declaration.
  bool CommentMayStartAt(int32_t pos) const {
    return !RawMode && pos < EndPos && Source[pos] == '!';
  }
  void ReadCharOrComment();
  void Advance(bool insideComment);
  void ReportProgress(int32_t from, int32_t to);
  char NextDocumentByte();
  void TakePlainRun(int codePage);
  void PutTextBytes(std::string_view bytes, int32_t firstPos, int codePage);
  void PutPlainPieces(std::string_view run, int32_t firstPos, int codePage);
  bool TakeQuotedRun(AnsiString& value, char quote);
  // The bytes from ReadPos on that `belongs` accepts, when they come from
  // the document itself (none while inserted text is read). Only for bytes
  // the reader passes unchanged; SkipRunTo then moves past them.
  template <class Pred>
  std::string_view DocumentRun(Pred belongs) const {
    if (ReadPos >= DirectEnd_) return {};
    const char* const start = Source.data() + ReadPos;
    const char* const end = Source.data() + DirectEnd_;
    const char* run = start;
    while (run < end && belongs(*run)) ++run;
    return {start, static_cast<size_t>(run - start)};
  }
  std::string_view QuotedDocumentRun() const;
  void SkipBlankRun();
  // Moves the reader onto the byte before `end` of the document as if each
  // byte had been read; only for bytes that the reader passes unchanged.
  void SkipRunTo(int32_t end) {
    const int32_t from = ReadPos;
    SourcePos += end - ReadPos;
    ReadPos = end;
    CurrentChar = Source[end - 1];
    CurrentUpper = AsciiUpper(CurrentChar);
    LineEndState = TLineEndState::None;
    if (PassesProgressStep(from, end)) ReportProgress(from, end);
  }
  void SkipDashedComment();
  void ReadIncludeComment();
  void RunInclude(const AnsiString& command, const std::vector<AnsiString>& params);
  AnsiString ReadIncludeValue();

  TEntityReference ReadEntityReference(bool insideComment);
  uint32_t ReadNumber(int base, bool insideComment);
  void AppendAttributeEntity(AnsiString& value, int codePage, bool insideComment);

  void ScanTag();
  bool ScanAttribute();
  void ScanAttributeValue(TAttribute& attribute);
  void ScanQuotedValue(TAttribute& attribute);
  void ScanNumericValue(TAttribute& attribute);
  void ScanUnquotedValue(TAttribute& attribute);
  bool ScanText();
  bool SkipText();

  void TakeSource(std::string_view text);
  // Source as a copy of its own, for conversions that change bytes.
  AnsiString& OwnSource();

  // Keeps DirectEnd_ in step; after every change of Inserted_ or EndPos.
  void UpdateDirectEnd() { DirectEnd_ = Inserted_.empty() ? EndPos : 0; }

  // Held through a pointer, so that Source keeps pointing into it when the
  // context is moved.
  std::unique_ptr<AnsiString> OwnedSource_;
  std::vector<TInsertedText> Inserted_;
  // EndPos while no inserted text is pending, else 0: whether the next byte
  // comes straight from the document is then one comparison with ReadPos,
  // which the reader makes for nearly every byte.
  int32_t DirectEnd_ = 0;
  int IncludeCount_ = 0;
  TCharCollection PendingBytes_;
  // Where in the text token the characters begin that went in directly
  // since the pending bytes were last decoded (see PutTextBytes).
  size_t DirectFrom_ = 0;
};

// No more A tags with an HREF attribute than this can be read from the
// text itself (without inserted text): the reader takes the name HREF from
// the bytes "href" in any case, or from bytes with a comment or declaration
// ("<!") inside them, and no two names share their bytes.
size_t MostHrefNames(std::string_view text);

// Most bytes come straight from the document and need none of the reader's
// work on line ends, tabs, the end marker or comments; they are taken here
// without a call.
inline void TParseContext::ReadCharSkippingComments() {
  if (ReadPos < DirectEnd_) [[likely]] {
    const char c = Source[ReadPos];
    if (IsReaderPlainByte(c) || (c == '<' && !CommentMayStartAt(ReadPos + 1))) {
      InputMode = TInputMode::Document;
      LineEndState = TLineEndState::None;
      ++ReadPos;
      ++SourcePos;
      CurrentChar = c;
      CurrentUpper = AsciiUpper(c);
      // One byte further passes a step only onto a multiple of it.
      if (IsProgressStep(ReadPos)) ReportProgress(ReadPos - 1, ReadPos);
      return;
    }
  }
  ReadCharOrComment();
}

}  // namespace folverin
