// PRE and plain text: the builder reads the characters itself, not as
// symbols, so that spaces and line ends stay as written.
#include <limits>

#include "htmlengine/builder/html_builder.h"
#include "htmlengine/document/horz_line.h"

namespace folverin {

using S = THtmlSymbol;

namespace {

// Plain text is handed to the section in runs of this many bytes.
constexpr int kPlainRun = 200;
constexpr size_t kPreCapacity = 300;
constexpr size_t kNoRunLimit = std::numeric_limits<size_t>::max();

// How many bytes may follow the next one while no check for a full run
// could have flushed them: the pending count stays below kPlainRun.
size_t RoomBeforeFlush(int pending) {
  return pending + 2 < kPlainRun ? static_cast<size_t>(kPlainRun - 2 - pending) : 0;
}

}  // namespace

void THtmlBuilder::ParsePreformatted() {
  if (TooDeep()) return Next();
  const auto nesting = EnterNesting();
  CloseSection();
  const int depth = PropertyStack.Count();
  PushTag("pre");
  TBlock* block = EnterBlock(&Context.TagAttributes);
  OpenPreSection();
  PreParagraph = nullptr;
  PreForm = nullptr;
  // The tokenizer has read past the tag's ">": the reader goes on from there.
  ReadPreformatted(true);
  FlushPreToken();
  CloseSection();
  if (PreForm) OpenForm = nullptr;  // a form opened inside the PRE ends with it
  PreParagraph = nullptr;
  PreForm = nullptr;
  PropertyStack.PopTo(depth);
  CurrentCell = block->ParentCell;
  Next();
}

void THtmlBuilder::ReadPreformatted(bool withTags) {
  const int preDepth = PropertyStack.Count();
  // Once per builder: the text buffers start empty, and growing them byte
  // by byte would allocate again and again.
  PrePending.Reserve(kPreCapacity);
  PreToken.Reserve(kPreCapacity);
  for (;;) {
    const char c = Context.CurrentChar;
    const auto byte = static_cast<unsigned char>(c);
    if (c == kEndMarker) return;
    if (c == '\r') {
      EndPreLine();
      Context.ReadCharSkippingComments();
    } else if (withTags && c == '<') {
      if (!PreformattedTag(preDepth)) return;
    } else if (withTags && c == '&') {
      Context.ScanTextEntity(PrePending, PreToken);
    } else if (byte <= 8) {
      Context.ReadCharSkippingComments();
    } else {
      // Plain text is flushed in runs: the bytes taken along must not go
      // past the point where it would be flushed.
      const size_t room = withTags ? kNoRunLimit : RoomBeforeFlush(PrePending.Count());
      Context.TakePreformattedRun(PrePending, room);
      Context.ReadCharSkippingComments();
      // A run may only end between characters, never inside a UTF-8 sequence.
      if (!withTags && PrePending.Count() >= kPlainRun && byte < 0x80) FlushPreToken();
    }
  }
}

void THtmlBuilder::FlushPreToken() {
  Context.FlushBytes(PrePending, PreToken);
  if (PreToken.Count() > 0 && CurrentSection) CurrentSection->AppendText(PreToken, AppendMode());
  PreToken.Clear();
}

void THtmlBuilder::EndPreLine() {
  FlushPreToken();
  ClosePreSection(true);
  OpenPreSection();
}

void THtmlBuilder::ClosePreSection(bool keepEmpty) {
  if (!keepEmpty && CurrentSection && CurrentSection->Text.empty()) CurrentSection.reset();
  CloseSection();
}

void THtmlBuilder::PreParagraphStart() {
  FlushPreToken();
  if (PreParagraph) PreParagraphEnd();
  else ClosePreSection(false);
  if (Context.CurrentChar == '\r') Context.ReadCharSkippingComments();
  const bool pushed = PushTag("p");
  PreParagraph = EnterBlock(&Context.TagAttributes);
  if (!pushed) PreParagraph->TagAndClass = "p.";
  OpenPreSection();
}

void THtmlBuilder::PreParagraphEnd() {
  FlushPreToken();
  ClosePreSection(false);
  PropertyStack.PopProperties("p");
  LeaveBlock(PreParagraph);
  PreParagraph = nullptr;
}

void THtmlBuilder::PreFormStart() {
  FlushPreToken();
  ClosePreSection(false);
  if (PreForm) PreFormEnd();
  PushTag("form");
  PreForm = EnterBlock(&Context.TagAttributes);
  Result.Forms.push_back(std::make_unique<ThtmlForm>(Context.TagAttributes));
  OpenForm = Result.Forms.back().get();
  OpenPreSection();
}

void THtmlBuilder::PreFormEnd() {
  FlushPreToken();
  ClosePreSection(false);
  if (PreForm) {
    if (PreParagraph) PreParagraph = nullptr;
    PropertyStack.PopProperties("form");
    LeaveBlock(PreForm);
    PreForm = nullptr;
  }
  OpenForm = nullptr;
  OpenPreSection();
}

// Handles the tag at "<"; false at the end of the preformatted text.
bool THtmlBuilder::PreformattedTag(int preDepth) {
  FlushPreToken();
  Next();
  const S symbol = Sym();
  bool isEnd = false;
  const std::string_view fontTag = InlineTagName(symbol, isEnd);
  if (!fontTag.empty()) {
    // TT, CODE, KBD and SAMP change nothing in text that is fixed-pitch anyway.
    if (fontTag != "tt" && fontTag != "code" && fontTag != "kbd" && fontTag != "samp")
      ParseInlineStyleTag(fontTag, isEnd);
    return true;
  }
  switch (symbol) {
    case S::EndOfDocument: case S::PreEnd: case S::TDEnd: case S::THEnd: return false;
    case S::P: PreParagraphStart(); return true;
    case S::PEnd:
      if (PreParagraph) {
        PreParagraphEnd();
        OpenPreSection();
      }
      return true;
    case S::BR:
      EndPreLine();
      if (Context.CurrentChar == '\r') Context.ReadCharSkippingComments();
      return true;
    case S::Img: case S::Panel: InsertEmbedded(); return true;
    case S::Input: case S::Select: case S::TextArea: ParseControl(); return true;
    case S::A: ParseAnchor(); return true;
    case S::AEnd: CloseLink(); return true;
    case S::Font: case S::BaseFont: ParseFont(symbol, true); NewFontRun(); return true;
    case S::FontEnd:
      // Only a FONT opened inside this PRE ends here.
      if (PropertyStack.FindTag("font") >= preDepth) PropertyStack.PopProperties("font");
      NewFontRun();
      return true;
    case S::Form: PreFormStart(); return true;
    case S::FormEnd: PreFormEnd(); return true;
    case S::Map: ParseMap(true); return true;
    case S::Page:
      InsertPage();
      OpenPreSection();
      return true;
    case S::Script: ParseScript(View.OnScript); return true;
    case S::Text:
      // A "<" that starts no tag is text.
      PreToken.PutChar(u'<', Context.TagPosition);
      return true;
    case S::Style:
      // The tokenizer leaves a STYLE tag at its ">", for the sheet reader.
      if (Context.CurrentChar == '>') Context.ReadCharSkippingComments();
      return true;
    default: return true;
  }
}

}  // namespace folverin
