// The document (TSectionList): the top cell of the tree, with the registries
// that the builder fills and the selection that the view sets.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "common/ansi_string.h"
#include "htmlengine/document/cell.h"
#include "htmlengine/document/id_name_list.h"
#include "htmlengine/document/section_arena.h"
#include "htmlengine/style/style_list.h"
#include "htmlengine/support/font_metrics.h"

namespace folverin {

class TSection;
class TSelTextCount;

// A font run that is a link, by its section and its place there: runs move
// when their section's list grows.
struct TLinkRun {
  TSection* Section = nullptr;
  size_t Run = 0;
  bool operator==(const TLinkRun&) const = default;
};

enum ThtProgressStage { psStarting, psRunning, psEnding };

class TSectionList : public TCell {
 public:
  // Metrics (kept, not owned) default to the shared fixed-width metrics.
  explicit TSectionList(const FontMetrics* metrics = nullptr);
  ~TSectionList() override;

  // Empties the document before a load. The style store goes too, so
  // SetDefaults has to follow before anything is built again.
  void Clear();
  // Stores the view's defaults and reloads the style store with them.
  void SetDefaults(const TStyleDefaults& defaults);
  // Lays the whole document out `width` pixels wide: every item gets its
  // text positions, every section its lines. Sets DocumentHeight and
  // DocumentWidth (the widest line) and returns the height.
  int Layout(int width = kDefaultLayoutWidth, int clientHeight = 0);
  // Text positions only, as Layout gives them, without lines, breaks or
  // geometry: for a document whose text is read and never shown. Returns the
  // document height, 0.
  int LayoutTextOnly();
  // A table that cannot be laid out: through OnLayoutError, when set.
  void ReportLayoutError(const AnsiString& message);
  // Layout's share of the progress after a load, for sections that report it.
  void ReportProgress(ThtProgressStage stage, int percent);

  static constexpr int kDefaultLayoutWidth = 800;

  // Characters of the selection, and a copy of them: at most size - 1
  // characters and a terminating 0. Returns the characters written.
  int GetSelectedLength();
  int CopySelectedText(char16_t* buffer, int size);
  // The characters of the selection in one walk (count and copy take two).
  std::u16string SelectedText();
  // The same into a string the caller keeps, whose memory then serves
  // document after document.
  void SelectedText(std::u16string& text);
  // The document's text position of a source position; past the end of the
  // text when no item holds it.
  int PositionOfSource(int sourcePosition);

  void ForgetLinkFont(TSection* section, size_t run);
  // The source positions of a section being built live only until it is
  // finished; their buffer goes on to the next section instead of being
  // allocated anew for each.
  std::vector<int32_t> TakeSourceIndexBuffer();
  void ReturnSourceIndexBuffer(std::vector<int32_t>&& buffer);
  const FontMetrics& Metrics() const { return *Metrics_; }

  // The memory of the sections' buffers; Clear empties it once they are gone.
  TSectionArena SectionArena;
  bool ImagesShown = false;
  int ScrollOffset = 0;
  int SelectionStart = 0;
  int SelectionEnd = 0;
  AnsiString PreformattedFont = "Courier New";
  TStyleDefaults Defaults;
  bool HoverInUse = false;
  TStyleList StyleSheet;
  TIDNameList IDNames;
  std::vector<TLinkRun> LinkFonts;  // link runs, owned by their sections
  TSelTextCount* TextCollector = nullptr;  // only while selected text is collected
  int FinishedSections = 0;
  int LayoutPass = 0;
  int ProgressBase = 0;
  bool PrintCopy = false;
  bool ManyLinks = false;
  int LayoutDepth = 0;  // cells entered by the running layout
  int DocumentHeight = 0;
  int DocumentWidth = 0;
  int ClientHeight = 0;
  // The view shows the message box; without a handler the error goes unseen.
  std::function<void(const AnsiString& message)> OnLayoutError;
  std::function<void(ThtProgressStage stage, int percent)> OnProgress;

 private:
  int CollectSelection(TSelTextCount& collector);

  const FontMetrics* Metrics_;
  std::vector<int32_t> SpareSourceIndexes;
};

}  // namespace folverin
