#include "htmlengine/document/section_list.h"

#include <algorithm>

#include "htmlengine/document/selected_text.h"
#include "htmlengine/document/text_positions.h"

namespace folverin {

TSectionList::TSectionList(const FontMetrics* metrics)
    : TCell(this, std::pmr::new_delete_resource()),
      StyleSheet(&HoverInUse, metrics),
      Metrics_(metrics ? metrics : &FixedWidthFontMetrics::Standard()) {
  CellTag = "default";
  StyleSheet.Initialize(Defaults);
}

TSectionList::~TSectionList() {
  // The items refer to the registries, which go before the base cell does.
  Clear();
}

void TSectionList::Clear() {
  if (!PrintCopy) {
    IDNames.Clear();
    StyleSheet.Clear();
  }
  LinkFonts.clear();
  FreeItems();
  SectionArena.Reset();
  FinishedSections = 0;
  SelectionStart = 0;
  SelectionEnd = 0;
  TextStart = 0;
  TextLength = 0;
}

void TSectionList::SetDefaults(const TStyleDefaults& defaults) {
  Defaults = defaults;
  PreformattedFont = defaults.FixedPitchFamily.substr(0, 32);
  StyleSheet.Initialize(defaults);
}

int TSectionList::Layout(int width, int clientHeight) {
  ++LayoutPass;
  ClientHeight = clientHeight;
  int cursor = 0;
  int widest = 0;
  DocumentHeight = TCell::Layout(0, 0, std::max(0, width), cursor, widest, Indents);
  DocumentWidth = widest;
  return DocumentHeight;
}

int TSectionList::LayoutTextOnly() {
  ++LayoutPass;
  int cursor = 0;
  AssignTextPositions(*this, 0, cursor);
  DocumentHeight = 0;
  DocumentWidth = 0;
  return DocumentHeight;
}

void TSectionList::ReportLayoutError(const AnsiString& message) {
  if (OnLayoutError) OnLayoutError(message);
}

void TSectionList::ReportProgress(ThtProgressStage stage, int percent) {
  if (OnProgress) OnProgress(stage, percent);
}

void TSectionList::ForgetLinkFont(TSection* section, size_t run) {
  // The runs of the section being dropped are the latest ones.
  auto at = std::find(LinkFonts.rbegin(), LinkFonts.rend(), TLinkRun{section, run});
  if (at != LinkFonts.rend()) LinkFonts.erase(std::next(at).base());
}

std::vector<int32_t> TSectionList::TakeSourceIndexBuffer() {
  std::vector<int32_t> buffer = std::move(SpareSourceIndexes);
  SpareSourceIndexes = {};
  buffer.clear();
  return buffer;
}

void TSectionList::ReturnSourceIndexBuffer(std::vector<int32_t>&& buffer) {
  // One huge section must not hold its memory for the rest of the document.
  constexpr size_t kLargestKept = 1 << 16;
  if (buffer.capacity() > SpareSourceIndexes.capacity() && buffer.capacity() <= kLargestKept)
    SpareSourceIndexes = std::move(buffer);
}

int TSectionList::CollectSelection(TSelTextCount& collector) {
  struct TCollectorInUse {
    TSectionList& Document;
    ~TCollectorInUse() { Document.TextCollector = nullptr; }
  } inUse{*this};
  TextCollector = &collector;
  CollectSelectedText(collector, SelectionStart, SelectionEnd);
  return collector.Total();
}

int TSectionList::GetSelectedLength() {
  if (SelectionStart >= SelectionEnd) return 0;
  TSelTextCount counter;
  return CollectSelection(counter);
}

int TSectionList::CopySelectedText(char16_t* buffer, int size) {
  if (!buffer || size <= 0) return 0;
  buffer[0] = 0;
  if (SelectionStart >= SelectionEnd) return 0;
  TSelTextBuf copy(buffer, size);
  return CollectSelection(copy) - 1;
}

std::u16string TSectionList::SelectedText() {
  std::u16string text;
  SelectedText(text);
  return text;
}

void TSectionList::SelectedText(std::u16string& text) {
  text.clear();
  if (SelectionStart >= SelectionEnd) return;
  TSelTextString collector;
  collector.Text = std::move(text);
  // Room for every selected position; only the line ends go beyond that.
  const int selected = std::min(SelectionEnd, TextStart + TextLength) - std::max(SelectionStart, TextStart);
  if (selected > 0) collector.Text.reserve(static_cast<size_t>(selected) + selected / 16);
  CollectSelection(collector);
  text = std::move(collector.Text);
}

int TSectionList::PositionOfSource(int sourcePosition) {
  int position = TCellBasic::PositionOfSource(sourcePosition, false);
  return position >= 0 ? position : TextLength + 1;
}

}  // namespace folverin
