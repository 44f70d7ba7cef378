#include "htmlengine/document/section.h"

#include <algorithm>

#include <unicode/uchar.h>

#include "htmlengine/document/section_list.h"
#include "htmlengine/document/selected_text.h"
#include "htmlengine/style/property_derived_values.h"
#include "htmlengine/tokenizer/html_attributes.h"
#include "htmlengine/tokenizer/token_obj.h"

namespace folverin {

namespace {

// text-align codes of the property model to the section's own codes.
uint8_t SectionAlignment(const TProperties& properties) {
  switch (TextAlignCode(properties)) {
    case 2: return 2;
    case 6: return 3;
    case 7: return 4;
    default: return 1;
  }
}

uint8_t ClearModeOf(TAttributeList* attributes, const TProperties& properties) {
  uint8_t mode = 0;
  if (attributes) {
    if (const TAttribute* clear = attributes->Lookup(THtmlAttribute::Clear))
      mode = SameText(clear->Value, "left") ? 1 : SameText(clear->Value, "right") ? 2 : 3;
  }
  if (std::optional<int> code = ClearCode(properties)) mode = static_cast<uint8_t>(*code);
  return mode;
}

char16_t Transformed(char16_t ch, int32_t transform) {
  if (transform == kTransformNone || (ch >= 0xD800 && ch <= 0xDFFF)) return ch;
  UChar32 mapped = transform == kTransformUpper ? u_toupper(ch) : u_tolower(ch);
  return mapped <= 0xFFFF ? static_cast<char16_t>(mapped) : ch;
}

}  // namespace

TSection::TSection(TSectionList* document, bool withIndent, TCellBasic* /*cell*/,
                   const TUrlTarget* linkTarget, TProperties& properties,
                   TAttributeList* attributes)
    : TSectionBase(document),
      ArenaUse(document->SectionArena),
      Text(document->SectionArena.Resource()),
      BreakFlags(document->SectionArena.Resource()),
      FontRuns(document->SectionArena.Resource()),
      SourceRuns(document->SectionArena.Resource()),
      LineList(document->SectionArena.Resource()) {
  const FontMetrics& metrics = document->Metrics();
  // Most sections have at most four font runs; the pool gives the room
  // without an allocation, and growing copies every run.
  FontRuns.reserve(4);
  FontRuns.emplace_back(this, 0, properties, metrics);
  if (linkTarget && !linkTarget->Url.empty()) SetLink(properties, linkTarget);
  Alignment = SectionAlignment(properties);
  ClearMode = ClearModeOf(attributes, properties);
  LineHeightPx = LineHeightPixels(properties, FontRuns.front().FontHeight, metrics.PixelsPerInch());
  if (withIndent) {
    TTextIndent indent = TextIndentOf(properties, metrics.PixelsPerInch());
    if (indent.Percent) IndentPercent = std::clamp(indent.Value, 0, 90);
    else IndentPixels = indent.Value;
  }
  if (attributes && !attributes->GetID().empty()) document->IDNames.AddObject(attributes->GetID(), this);
}

TSection::~TSection() { ForgetLinkRuns(); }

void TSection::ForgetLinkRuns() {
  for (size_t run = 0; run < FontRuns.size(); ++run)
    if (FontRuns[run].IsLink()) Document->ForgetLinkFont(this, run);
}

void TSection::AppendCharacters(std::u16string_view chars, const int32_t* positions,
                                bool keepTogether) {
  if (chars.empty()) return;
  size_t needed = Text.size() + chars.size();
  if (!SourceIndexes) RestoreSourceIndexes();
  // Grow by at least 500 entries, and geometrically so that a long section
  // is not copied over and over.
  if (SourceIndexes->capacity() < needed)
    SourceIndexes->reserve(std::max(needed + 500, 2 * SourceIndexes->capacity()));
  // A section's text mostly arrives in a few pieces: room for a short
  // paragraph at the first allocation saves regrowing on the next pieces.
  if (Text.capacity() < needed) {
    constexpr size_t kFirstRoom = 64;
    const size_t room = std::max({needed, 2 * Text.capacity(), kFirstRoom});
    Text.reserve(room);
    BreakFlags.reserve(room + 1);  // Complete adds one flag at the end
  }
  Text.append(chars);
  if (!MayHoldMarkers) MayHoldMarkers = ContainsMarker(chars);
  WidthsCached = PreWidthKnown = false;
  SourceIndexes->insert(SourceIndexes->end(), positions, positions + chars.size());
  BreakFlags.append(chars.size(), keepTogether ? 'n' : 'y');
}

// Text added to a finished section needs the positions of what it holds
// already, and loses the flag that Complete added at its end.
void TSection::RestoreSourceIndexes() {
  SourceIndexes.emplace(Document->TakeSourceIndexBuffer());
  SourceIndexes->reserve(Text.size() + 500);
  for (size_t r = 0; r < SourceRuns.size(); ++r) {
    size_t end = r + 1 < SourceRuns.size() ? SourceRuns[r + 1].Pos : Text.size();
    for (size_t i = SourceRuns[r].Pos; i < end; ++i)
      SourceIndexes->push_back(SourceRuns[r].Index + static_cast<int32_t>(i - SourceRuns[r].Pos));
  }
  SourceIndexes->resize(Text.size(), SourceIndexes->empty() ? 0 : SourceIndexes->back());
  BreakFlags.resize(Text.size(), 'y');
}

void TSection::AppendText(const TokenObj& token, const TAppendMode& mode) {
  const size_t from = Text.size();
  AppendCharacters(token.Chars(), token.Positions().data(), mode.KeepTogether);
  if (mode.Transform != kTransformNone) {
    for (size_t i = from; i < Text.size(); ++i) Text[i] = Transformed(Text[i], mode.Transform);
    if (!MayHoldMarkers) MayHoldMarkers = ContainsMarker(std::u16string_view(Text).substr(from));
  }
}

void TSection::AppendChar(char16_t ch, int32_t sourcePosition, const TAppendMode& mode) {
  TokenObj token;
  token.PutChar(ch, sourcePosition);
  AppendText(token, mode);
}

void TPreFormated::AppendText(const TokenObj& token, const TAppendMode& mode) {
  TAppendMode unbroken = mode;
  unbroken.KeepTogether = true;
  TSection::AppendText(token, unbroken);
}

void TSection::StartFontRun(TProperties& properties) {
  TFontObj& last = FontRuns.back();
  if (last.Pos == static_cast<int>(Text.size())) {
    last.SetFont(properties, Document->Metrics());
    return;
  }
  // Inside a link the new run belongs to the link too.
  std::optional<TUrlTarget> link = last.UrlTarget;
  TFontObj& run = AddFontRun(properties);
  if (link) {
    run.UrlTarget = std::move(link);
    Document->LinkFonts.push_back({this, FontRuns.size() - 1});
  }
}

TFontObj& TSection::AddFontRun(TProperties& properties) {
  return FontRuns.emplace_back(this, static_cast<int>(Text.size()), properties, Document->Metrics());
}

void TSection::SetLink(TProperties& properties, const TUrlTarget* target) {
  TFontObj* run = &FontRuns.back();
  if (run->Pos == static_cast<int>(Text.size())) run->SetFont(properties, Document->Metrics());
  else run = &AddFontRun(properties);
  const size_t index = FontRuns.size() - 1;
  bool wasLink = run->IsLink();
  if (target) run->UrlTarget = *target;
  else run->UrlTarget.reset();
  if (target && !wasLink) Document->LinkFonts.push_back({this, index});
  if (!target && wasLink) Document->ForgetLinkFont(this, index);
}

TFloatingObj* TSection::InsertFloat(std::unique_ptr<TFloatingObj> object, int32_t sourcePosition,
                                    const TAppendMode& mode) {
  object->Pos = static_cast<int>(Text.size());
  Floats.push_back(std::move(object));
  AppendChar(kImageMarker, sourcePosition, mode);
  return Floats.back().get();
}

TFormControlObj* TSection::InsertControl(std::unique_ptr<TFormControlObj> control,
                                         int32_t sourcePosition, const TAppendMode& mode) {
  control->Pos = static_cast<int>(Text.size());
  Controls.push_back(std::move(control));
  if (Controls.back()->Kind != TFormControlKind::Hidden)
    AppendChar(kControlMarker, sourcePosition, mode);
  return Controls.back().get();
}

void TSection::RegisterAnchorName(std::string_view name) {
  Document->IDNames.AddObject(name, this);
  HasAnchorName = true;
}

bool TSection::IsDisposable() const { return Text.empty() && !HasAnchorName && ClearMode == 0; }

bool TSection::FinishForCell() {
  if (!HasSourceIndexes()) return true;  // never written: kept as it is
  Complete();
  return !IsDisposable();
}

void TSection::LayoutLines() {
  LineList.clear();
  if (!Text.empty()) LineList.push_back(LineRec{.LineChars = static_cast<int>(Text.size())});
}

bool TSection::CollectSelectedText(TSelTextCount& collector, int selStart, int selEnd) {
  const int s = TextStart;
  // Lines follow each other without gaps, so the selected pieces of
  // neighbouring lines go to the collector as one.
  auto put = [&](int from, int to) {
    if (MayHoldMarkers) collector.Put(Text.data() + from, to - from);
    else collector.PutUnmarked(Text.data() + from, to - from);
  };
  int pieceFrom = 0, pieceTo = 0;
  for (const LineRec& line : LineList) {
    int c = line.Start;
    int n = line.LineChars;
    if (c >= selEnd - s || c + n < selStart - s) continue;
    int from = c + std::max(0, selStart - s - c);
    int to = c + std::min(n, selEnd - s - c);
    if (from >= to) continue;
    if (from != pieceTo) {
      if (pieceFrom < pieceTo) put(pieceFrom, pieceTo);
      pieceFrom = from;
    }
    pieceTo = to;
  }
  if (pieceFrom < pieceTo) put(pieceFrom, pieceTo);
  if (static_cast<int>(Text.size()) < selEnd - s) collector.PutUnmarked(u"\r\n", 2);
  return false;
}

int TSection::SourceOfPosition(int position) const {
  int i = position - TextStart;
  if (Text.empty() || i < 0 || i >= static_cast<int>(Text.size()) || SourceRuns.empty()) return -1;
  auto run = std::upper_bound(SourceRuns.begin(), SourceRuns.end(), i,
                              [](int index, const IndexObj& r) { return index < r.Pos; });
  if (run == SourceRuns.begin()) return -1;
  --run;
  return run->Index + (i - run->Pos);
}

int TSection::PositionOfSource(int sourcePosition, bool exact) const {
  const int length = static_cast<int>(Text.size());
  for (size_t r = 0; r < SourceRuns.size(); ++r) {
    const IndexObj& run = SourceRuns[r];
    int runLength = (r + 1 < SourceRuns.size() ? SourceRuns[r + 1].Pos : length) - run.Pos;
    if (sourcePosition >= run.Index && sourcePosition < run.Index + runLength)
      return TextStart + run.Pos + (sourcePosition - run.Index);
    // Inside a tag: the text that follows it.
    if (sourcePosition < run.Index) return exact ? -1 : TextStart + run.Pos;
  }
  return -1;
}

// Objects and runs are kept in text order, so they are found by halving.
TFloatingObj* TSection::FloatAt(int index) const {
  auto at = std::lower_bound(Floats.begin(), Floats.end(), index,
                             [](const auto& image, int i) { return image->Pos < i; });
  return at != Floats.end() && (*at)->Pos == index ? at->get() : nullptr;
}

TFormControlObj* TSection::ControlAt(int index) const {
  auto at = std::lower_bound(Controls.begin(), Controls.end(), index,
                             [](const auto& control, int i) { return control->Pos < i; });
  for (; at != Controls.end() && (*at)->Pos == index; ++at)
    if ((*at)->Kind != TFormControlKind::Hidden) return at->get();
  return nullptr;
}

size_t TSection::FontRunAt(int index) const {
  auto after = std::upper_bound(FontRuns.begin(), FontRuns.end(), index,
                                [](int i, const TFontObj& run) { return i < run.Pos; });
  return after == FontRuns.begin() ? 0 : static_cast<size_t>(after - FontRuns.begin()) - 1;
}

TSection* TSection::CharacterAt(int position, char16_t& ch) {
  int i = position - TextStart;
  if (i < 0 || i >= static_cast<int>(Text.size())) return nullptr;
  ch = Text[i];
  return this;
}

}  // namespace folverin
