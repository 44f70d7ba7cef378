#include "htmlengine/view/document_view.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "common/file_system.h"
#include "htmlengine/view/document_name.h"
#include "htmlengine/view/meta_refresh.h"

namespace folverin {

namespace {

constexpr int kHtmlFileType = 0;
constexpr int kScrollBarWidth = 16;
// The builder's share of the progress; layout reports the rest.
constexpr int kParseProgressShare = 75;
constexpr size_t kLargestKeptSource = 4 << 20;

AnsiString NormalisedServerRoot(const AnsiString& value) {
  AnsiString root = Trim(value);
  if (!root.empty() && IsPathSeparator(root.back())) root.pop_back();
  return root;
}

TDocumentViewProperties WithinLimits(TDocumentViewProperties properties) {
  properties.ServerRoot = NormalisedServerRoot(properties.ServerRoot);
  properties.ImageCacheCount = std::clamp(properties.ImageCacheCount, 0, 20);
  properties.PrintScale = std::clamp(properties.PrintScale, 0.25, 4.0);
  return properties;
}

bool VerticalAllowed(TScrollStyle style) {
  return style == TScrollStyle::ssVertical || style == TScrollStyle::ssBoth;
}

bool HorizontalAllowed(TScrollStyle style) {
  return style == TScrollStyle::ssHorizontal || style == TScrollStyle::ssBoth;
}

// Runs a step of the failure path; a second error there must not replace
// the one that is being passed on.
template <typename Step>
void Quietly(Step step) {
  try {
    step();
  } catch (...) {
  }
}

}  // namespace

TDocumentViewProperties TDocumentViewProperties::IndexBuilder() {
  TDocumentViewProperties properties;
  properties.ViewImages = false;
  properties.DefBackground = clWhite;
  properties.BorderStyle = THtBorderStyle::htNone;
  properties.Visible = false;
  properties.VisitedMaxCount = 0;
  properties.ImageCacheCount = 0;
  properties.ScrollBars = TScrollStyle::ssNone;
  properties.htOptions = 0;
  properties.Width = 150;
  properties.Height = 75;
  return properties;
}

TDocumentView::TDocumentView(const FontMetrics* metrics, const TDocumentViewProperties& properties)
    : Props(WithinLimits(properties)), Document_(metrics) {
  Document_.OnLayoutError = [this](const AnsiString& message) {
    if (LayoutErrorReporter) LayoutErrorReporter(message);
  };
  Document_.OnProgress = [this](ThtProgressStage stage, int percent) {
    RaiseProgress(stage, percent);
  };
  PrepareDocument();
}

void TDocumentView::SetProperties(const TDocumentViewProperties& properties) {
  if (Busy_) return;
  const TDocumentViewProperties old = Props;
  Props = WithinLimits(properties);
  if (Props.NoSelect && !old.NoSelect) SetNoSelect(true);
  const bool sizeChanged = Props.Width != old.Width || Props.Height != old.Height ||
                           Props.BorderStyle != old.BorderStyle ||
                           Props.ScrollBars != old.ScrollBars || Props.htOptions != old.htOptions;
  if (sizeChanged && Document_.Count() > 0) {
    Document_.ProgressBase = 0;
    DoLayout();
  }
}

void TDocumentView::SetNoSelect(bool value) {
  Props.NoSelect = value;
  if (value) {
    Document_.SelectionStart = -1;
    Document_.SelectionEnd = -1;
  }
}

void TDocumentView::SetCaretPosition(int position) {
  if (position >= 0) CaretPosition_ = position;
}

void TDocumentView::LoadFromFile(const AnsiString& name) {
  if (Busy_ || name.empty()) return;
  THistoryEntry previous{LoadedFile_, DocumentTitle_, Position_, FileType_};
  LoadFile(name);
  if (previous.FileName != LoadedFile_ || previous.FileType != FileType_)
    AddToHistory(std::move(previous));
}

void TDocumentView::LoadFile(const AnsiString& name) {
  const size_t hash = name.find('#');
  const AnsiString fileName = name.substr(0, hash);
  const AnsiString destination = hash == AnsiString::npos ? AnsiString() : name.substr(hash + 1);
  const AnsiString previousFile = LoadedFile_;
  RefreshPending = false;
  PendingRefreshDelay_ = 0;
  PendingRefreshAddress_.clear();
  SetBusy(true);
  try {
    // Checked before anything is cleared, so the previous document survives.
    if (!FileExists(fileName)) throw EInOutError("Can't locate file: " + fileName);
    Document_.ProgressBase = kParseProgressShare;
    RaiseProgress(psStarting, 0);
    PrepareDocument();
    CaretPosition_ = 0;
    MouseAnchor_ = -1;
    LoadedFile_ = ExpandFileName(fileName);
    FileType_ = kHtmlFileType;
  } catch (...) {
    FinishLoad();
    throw;
  }
  try {
    ReadAndParse(fileName);
    TakeParseResults();
    LayoutAndPosition(destination, previousFile);
  } catch (...) {
    // Whatever the document holds by now is laid out and shown.
    Quietly([&] { TakeParseResults(); });
    Quietly([&] { LayoutAndPosition(destination, previousFile); });
    FinishLoad();
    throw;
  }
  FinishLoad();
  if (RefreshPending && OnMetaRefresh) OnMetaRefresh(PendingRefreshDelay_, PendingRefreshAddress_);
}

void TDocumentView::ReadAndParse(const AnsiString& fileName) {
  // The source's memory serves the next file too (no large block taken and
  // given back for every file), unless one huge file would keep it too big.
  if (SourceText_.capacity() > kLargestKeptSource) SourceText_ = AnsiString();
  errno = 0;
  if (!ReadWholeFileInto(fileName, SourceText_)) {
    const int error = errno;
    throw EInOutError("Cannot open file \"" + fileName + "\"" +
                      (error ? AnsiString(". ") + std::strerror(error) : AnsiString()));
  }
  if (OnParseBegin) OnParseBegin(SourceText_);
  if (OnSoundRequest) OnSoundRequest("", 0, true);
  ParseResult_ = ParseDocument(
      SourceText_, Document_, OnLink,
      [this](const AnsiString& httpEq, const AnsiString& name, const AnsiString& content) {
        HandleMeta(httpEq, name, content);
      },
      BuilderView(), OnSoundRequest, OnInclude);
  if (OnParseEnd) OnParseEnd();
}

TBuilderView TDocumentView::BuilderView() {
  TBuilderView view;
  view.Charset = Props.CharSet;
  view.OnScript = OnScript;
  view.OnStreamRequest = OnhtStreamRequest;
  view.ExpandDocumentName = [this](const AnsiString& name) { return ExpandDocumentName(name); };
  view.OnProgress = [this](int percent) { RaiseProgress(psRunning, percent); };
  view.SheetCache = &SheetCache_;
  return view;
}

void TDocumentView::TakeParseResults() {
  DocumentTitle_ = ParseResult_.Title;
  DocumentBase_ = ParseResult_.BaseURL.empty() ? AppBase_ : ParseResult_.BaseURL;
  BaseFrame_ = ParseResult_.BaseFrame;
}

void TDocumentView::LayoutAndPosition(const AnsiString& destination,
                                      const AnsiString& previousFile) {
  DoLayout();
  const TIDObject* target = destination.empty() ? nullptr : Document_.IDNames.Find(destination);
  if (target) Position_ = target->GetYPosition();
  else if (LoadedFile_ != previousFile) Position_ = 0;
}

void TDocumentView::FinishLoad() {
  RaiseProgress(psEnding, 100);
  SetBusy(false);
}

void TDocumentView::PrepareDocument() {
  Document_.Clear();
  ParseResult_ = {};
  Document_.ImagesShown = Props.ViewImages;
  TStyleDefaults defaults;
  defaults.DefaultFamily = Props.DefFontName;
  defaults.FixedPitchFamily = Props.DefPreFontName;
  defaults.PageMarginWidth = Props.MarginWidth;
  defaults.PageMarginHeight = Props.MarginHeight;
  defaults.Charset = Props.CharSet;
  defaults.UnderlineLinks = (Props.htOptions & htNoLinkUnderline) == 0;
  defaults.HoverColour = Props.DefOverLinkColor;
  defaults.VisitedColour = Props.DefVisitedLinkColor;
  defaults.LinkColour = Props.DefHotSpotColor;
  defaults.TextColour = Props.DefFontColor;
  defaults.DefaultSizePoints = Props.DefFontSize;
  Document_.SetDefaults(defaults);
}

void TDocumentView::DoLayout() {
  struct TLayoutRunning {
    bool& Flag;
    ~TLayoutRunning() { Flag = false; }
  } running{InLayout_};
  InLayout_ = true;
  if (Props.TextOnly) {
    DocumentHeight_ = Document_.LayoutTextOnly();
    DocumentWidth_ = 0;
    VScrollBarVisible_ = HScrollBarVisible_ = false;
    return;
  }
  const int frame = Props.BorderStyle == THtBorderStyle::htNone ? 0 : 2;
  int width = std::max(0, Props.Width - frame);
  const int clientHeight = std::max(0, Props.Height - frame);
  const bool vertical = VerticalAllowed(Props.ScrollBars);
  VScrollBarVisible_ = vertical && (Props.htOptions & htShowVScroll) != 0;
  if (VScrollBarVisible_) width = std::max(0, width - kScrollBarWidth);
  DocumentHeight_ = Document_.Layout(width, clientHeight);
  if (vertical && !VScrollBarVisible_ && DocumentHeight_ > clientHeight) {
    // The scroll bar takes its room from the text, which then needs more lines.
    VScrollBarVisible_ = true;
    width = std::max(0, width - kScrollBarWidth);
    DocumentHeight_ = Document_.Layout(width, clientHeight);
  }
  DocumentWidth_ = Document_.DocumentWidth;
  HScrollBarVisible_ = HorizontalAllowed(Props.ScrollBars) && DocumentWidth_ > width;
}

void TDocumentView::Clear() {
  if (Busy_) return;
  PrepareDocument();
  DocumentBase_.clear();
  AppBase_.clear();
  BaseFrame_.clear();
  DocumentTitle_.clear();
  Position_ = 0;
  VScrollBarVisible_ = false;
  HScrollBarVisible_ = false;
  DocumentHeight_ = 0;
  DocumentWidth_ = 0;
  CaretPosition_ = 0;
  MouseAnchor_ = -1;
  if (OnSoundRequest) OnSoundRequest("", 0, true);
}

void TDocumentView::SelectAll() {
  if (Document_.Count() == 0 || Props.NoSelect) return;
  const TSectionBase* last = Document_.Item(Document_.Count() - 1);
  Document_.SelectionStart = 0;
  Document_.SelectionEnd = last->TextStart + last->TextLength;
}

std::u16string TDocumentView::SelText() { return Document_.SelectedText(); }

void TDocumentView::SelText(std::u16string& text) { Document_.SelectedText(text); }

AnsiString TDocumentView::ExpandDocumentName(const AnsiString& name) const {
  return ExpandDocumentAddress(name, {Props.ServerRoot, DocumentBase_, LoadedFile_});
}

void TDocumentView::SetBusy(bool value) {
  if (Busy_ == value) return;
  Busy_ = value;
  if (OnProcessing) OnProcessing(value);
}

void TDocumentView::RaiseProgress(ThtProgressStage stage, int percent) {
  if (OnProgress) OnProgress(stage, percent);
}

void TDocumentView::HandleMeta(const AnsiString& httpEq, const AnsiString& name,
                               const AnsiString& content) {
  if (OnMeta) OnMeta(httpEq, name, content);
  if (!OnMetaRefresh || !SameText(httpEq, "refresh")) return;
  const int delay = MetaRefreshDelay(content);
  if (delay < 0) return;
  RefreshPending = true;
  PendingRefreshDelay_ = std::max(delay, 1);
  PendingRefreshAddress_ = MetaRefreshAddress(content);
}

void TDocumentView::AddToHistory(THistoryEntry entry) {
  if (Props.HistoryMaxCount < 1 || entry.FileName.empty()) return;
  History_.insert(History_.begin(), std::move(entry));
  if (static_cast<int>(History_.size()) > Props.HistoryMaxCount)
    History_.resize(static_cast<size_t>(Props.HistoryMaxCount));
}

}  // namespace folverin
