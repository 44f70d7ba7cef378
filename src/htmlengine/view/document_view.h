// The engine's view (TDocumentView): loads an HTML file, has the builder
// turn it into a document, lays the document out and hands out its title
// and its selected text. The index builder keeps one hidden instance and
// only extracts text with it; painting, scrolling and mouse handling belong
// to a window that wraps this core.
#pragma once

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/ansi_string.h"
#include "htmlengine/builder/document_builder.h"
#include "htmlengine/document/section_list.h"
#include "htmlengine/support/font_metrics.h"

namespace folverin {

// The file to load is missing, or it exists and cannot be read.
class EInOutError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum class THtBorderStyle { htFocused, htNone, htSingle };
enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

// The view's option set (htOptions), as bits.
using TDocumentViewOptions = unsigned;
inline constexpr TDocumentViewOptions htOverLinksActive = 1;
inline constexpr TDocumentViewOptions htNoLinkUnderline = 2;
inline constexpr TDocumentViewOptions htPrintTableBackground = 4;
inline constexpr TDocumentViewOptions htPrintMonochromeBlack = 8;
inline constexpr TDocumentViewOptions htShowDummyCaret = 16;
inline constexpr TDocumentViewOptions htShowVScroll = 32;

// The published properties with their start values.
struct TDocumentViewProperties {
  bool ViewImages = true;
  TColour DefBackground = clBtnFace;
  THtBorderStyle BorderStyle = THtBorderStyle::htFocused;
  bool Visible = true;
  int HistoryMaxCount = 0;
  AnsiString DefFontName = "Times New Roman";
  AnsiString DefPreFontName = "Courier New";
  int DefFontSize = 12;
  TColour DefFontColor = clBtnText;
  TColour DefHotSpotColor = 0xFF0000;
  TColour DefVisitedLinkColor = 0x800080;
  TColour DefOverLinkColor = 0xFF0000;
  int VisitedMaxCount = 50;
  int ImageCacheCount = 5;  // 0-20
  bool NoSelect = false;
  TScrollStyle ScrollBars = TScrollStyle::ssBoth;
  int CharSet = 1;  // DEFAULT_CHARSET
  int MarginHeight = 5;
  int MarginWidth = 10;
  AnsiString ServerRoot;  // trimmed, without a final separator
  double PrintMarginLeft = 2.0;
  double PrintMarginRight = 2.0;
  double PrintMarginTop = 2.0;
  double PrintMarginBottom = 2.0;
  double PrintScale = 1.0;  // 0.25-4
  TDocumentViewOptions htOptions = htPrintTableBackground | htPrintMonochromeBlack;
  int Width = 150;
  int Height = 150;
  // Lays out text positions only, no lines or geometry: for a view whose
  // text is read and that is never shown (the index builder). Its selected
  // text is the same; a table whose columns cannot be worked out is not
  // noticed, so no layout error is reported.
  bool TextOnly = false;

  // What the index builder's form sets: no images, no scroll bars, no
  // border, hidden, 150 x 75.
  static TDocumentViewProperties IndexBuilder();
};

// One entry of the view's history.
struct THistoryEntry {
  AnsiString FileName;
  AnsiString Title;
  int Position = 0;  // vertical scroll position
  int FileType = 0;
};

class TDocumentView {
 public:
  // Metrics (kept, not owned) default to the shared fixed-width metrics,
  // which is what text extraction needs: its text never depends on widths.
  explicit TDocumentView(const FontMetrics* metrics = nullptr,
                         const TDocumentViewProperties& properties = {});
  TDocumentView(const TDocumentView&) = delete;
  TDocumentView& operator=(const TDocumentView&) = delete;
  virtual ~TDocumentView() = default;

  // Loads an HTML file; the part of `name` after a "#" is the destination
  // to scroll to. Raises EInOutError for a missing or unreadable file.
  // Does nothing while Busy or for an empty name.
  void LoadFromFile(const AnsiString& name);
  void Clear();
  void SelectAll();
  std::u16string SelText();
  // The same into a string the caller keeps (the index builder's text of
  // page after page).
  void SelText(std::u16string& text);
  // Turns an address of the document into a file name; other schemes'
  // addresses come back unchanged.
  virtual AnsiString ExpandDocumentName(const AnsiString& name) const;

  const AnsiString& DocumentTitle() const { return DocumentTitle_; }
  const AnsiString& DocumentBase() const { return DocumentBase_; }
  const AnsiString& BaseFrame() const { return BaseFrame_; }
  const AnsiString& LoadedFile() const { return LoadedFile_; }
  int FileType() const { return FileType_; }
  const AnsiString& SourceText() const { return SourceText_; }
  bool Busy() const { return Busy_; }
  bool InLayout() const { return InLayout_; }
  int CaretPosition() const { return CaretPosition_; }
  void SetCaretPosition(int position);
  int MouseAnchor() const { return MouseAnchor_; }
  int PendingRefreshDelay() const { return PendingRefreshDelay_; }
  const AnsiString& PendingRefreshAddress() const { return PendingRefreshAddress_; }
  int DocumentHeight() const { return DocumentHeight_; }
  int DocumentWidth() const { return DocumentWidth_; }
  // Vertical scroll position: the destination's top after a load.
  int Position() const { return Position_; }
  bool VScrollBarVisible() const { return VScrollBarVisible_; }
  bool HScrollBarVisible() const { return HScrollBarVisible_; }
  const AnsiString& AppBase() const { return AppBase_; }
  // Used as DocumentBase for documents without a BASE of their own.
  void SetAppBase(const AnsiString& base) { AppBase_ = base; }
  const std::vector<THistoryEntry>& History() const { return History_; }

  const TDocumentViewProperties& Properties() const { return Props; }
  // Takes new property values (limits applied); lays a loaded document out
  // again when its size or scroll bars changed. Ignored while Busy.
  void SetProperties(const TDocumentViewProperties& properties);
  bool NoSelect() const { return Props.NoSelect; }
  void SetNoSelect(bool value);

  TSectionList& Document() { return Document_; }

  // The load's events; the index builder assigns none of them.
  std::function<void(ThtProgressStage stage, int percentDone)> OnProgress;
  std::function<void(bool processingOn)> OnProcessing;
  std::function<void(AnsiString& source)> OnParseBegin;
  std::function<void()> OnParseEnd;
  TMetaHandler OnMeta;
  std::function<void(int delay, const AnsiString& url)> OnMetaRefresh;
  TLinkHandler OnLink;
  TIncludeHandler OnInclude;
  TScriptHandler OnScript;
  TSoundHandler OnSoundRequest;
  TStreamRequest OnhtStreamRequest;
  // Shows a layout error ("Table has too many Columns"); a window puts up a
  // message box, the default shows nothing.
  std::function<void(const AnsiString& message)> LayoutErrorReporter;

 private:
  void LoadFile(const AnsiString& name);
  void ReadAndParse(const AnsiString& fileName);
  void TakeParseResults();
  void LayoutAndPosition(const AnsiString& destination, const AnsiString& previousFile);
  void FinishLoad();
  void PrepareDocument();
  void DoLayout();
  void SetBusy(bool value);
  void RaiseProgress(ThtProgressStage stage, int percent);
  void HandleMeta(const AnsiString& httpEq, const AnsiString& name, const AnsiString& content);
  void AddToHistory(THistoryEntry entry);
  TBuilderView BuilderView();

  TDocumentViewProperties Props;
  // The forms and maps of the loaded document; the forms list controls
  // that the document's sections own, so they never outlive a load.
  TParseResult ParseResult_;
  TSectionList Document_;

  AnsiString LoadedFile_;
  int FileType_ = 0;
  AnsiString SourceText_;
  AnsiString DocumentTitle_;
  AnsiString DocumentBase_;
  AnsiString AppBase_;
  AnsiString BaseFrame_;
  bool Busy_ = false;
  bool InLayout_ = false;
  int CaretPosition_ = 0;
  int MouseAnchor_ = -1;
  bool RefreshPending = false;
  int PendingRefreshDelay_ = 0;
  AnsiString PendingRefreshAddress_;
  int DocumentHeight_ = 0;
  int DocumentWidth_ = 0;
  int Position_ = 0;
  bool VScrollBarVisible_ = false;
  bool HScrollBarVisible_ = false;
  std::vector<THistoryEntry> History_;
  // The index builder loads page after page that links the same sheet.
  TStyleSheetCache SheetCache_;
};

}  // namespace folverin
