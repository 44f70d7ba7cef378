// A run of text (TSection) and a line of preformatted text (TPreFormated):
// the 16-bit text buffer with its break flags, source positions, font runs
// and embedded objects, and how it is cleaned up when it is finished.
#pragma once

#include <cstdint>
#include <memory>
#include <memory_resource>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "htmlengine/document/floating_obj.h"
#include "htmlengine/document/font_run.h"
#include "htmlengine/document/form_control_obj.h"
#include "htmlengine/document/section_arena.h"
#include "htmlengine/document/section_item.h"

namespace folverin {

class TAttributeList;
class TokenObj;
struct TSectionLayoutState;
struct TUrlTarget;

// Characters of the text that stand for something that is not text.
inline constexpr char16_t kControlMarker = 2;
inline constexpr char16_t kImageMarker = 4;
inline constexpr char16_t kBreakMarker = 8;
inline constexpr bool IsMarker(char16_t ch) {
  return ch == kControlMarker || ch == kImageMarker || ch == kBreakMarker;
}
inline constexpr bool IsObjectMarker(char16_t ch) { return ch == kControlMarker || ch == kImageMarker; }
// Most text holds no marker at all. Written without an early exit, so that
// the compiler tests many characters at a time.
inline bool ContainsMarker(std::u16string_view text) {
  unsigned found = 0;
  for (char16_t ch : text)
    found |= static_cast<unsigned>(ch == kControlMarker) | static_cast<unsigned>(ch == kImageMarker) |
             static_cast<unsigned>(ch == kBreakMarker);
  return found != 0;
}
// Ideographic text may break between any two characters.
inline constexpr bool IsWideScript(char16_t ch) { return ch > 0x2FFF; }

// The room an embedded object takes on its line, its spaces included.
inline int FullWidth(const TFloatingObj& image) { return image.HSpaceL + image.ImageWidth + image.HSpaceR; }
inline int FullWidth(const TFormControlObj& control) {
  return control.HSpaceL + control.Width + control.HSpaceR;
}

// One laid-out line of a section.
struct LineRec {
  int Start = 0;  // index of the first character in Text
  int SpaceBefore = 0, SpaceAfter = 0;
  int LineHt = 0;
  int LineImgHt = 0;
  int LineChars = 0;
  int Descent = 0;
  int LineIndent = 0;
  int DrawWidth = 0;
  int Spaces = 0, Extra = 0;  // justification
};

// A run of consecutive source positions: the character at buffer index
// Pos came from source position Index, the next ones from the following.
struct IndexObj {
  int Pos = 0;
  int Index = 0;
};

// How appended text is treated: the text-transform code of the element in
// force, and whether the text must be kept on one line (NOBR).
struct TAppendMode {
  int32_t Transform = 0;
  bool KeepTogether = false;
};

class TSection : public TSectionBase {
  // First, so that the buffers below are gone before it lets the pool go.
  TSectionArena::TUse ArenaUse;

 public:
  // The first font run comes from the property set (a link run when a link
  // target is given); an ID attribute registers the section.
  TSection(TSectionList* document, bool withIndent, TCellBasic* cell, const TUrlTarget* linkTarget,
           TProperties& properties, TAttributeList* attributes);
  ~TSection() override;

  virtual void AppendChar(char16_t ch, int32_t sourcePosition, const TAppendMode& mode);
  virtual void AppendText(const TokenObj& token, const TAppendMode& mode);
  // Cleans the text up and replaces the source positions by runs.
  virtual void Complete();

  // A new font run at the end of the text, or a new font for the last run
  // when it starts there.
  void StartFontRun(TProperties& properties);
  // Starts (target given) or ends a link run at the end of the text.
  void SetLink(TProperties& properties, const TUrlTarget* target);
  // Embeds an image or panel with its marker at the end of the text.
  TFloatingObj* InsertFloat(std::unique_ptr<TFloatingObj> object, int32_t sourcePosition,
                            const TAppendMode& mode);
  // Embeds a form control with its marker; a hidden field takes no marker.
  TFormControlObj* InsertControl(std::unique_ptr<TFormControlObj> control, int32_t sourcePosition,
                                 const TAppendMode& mode);
  // An anchor name refers to the section; that keeps it when it stays empty.
  void RegisterAnchorName(std::string_view name);

  bool HasSourceIndexes() const { return SourceIndexes.has_value(); }
  // After Complete: nothing is left that the document needs.
  virtual bool IsDisposable() const;
  // A section that received text is finished when it is added to a cell.
  bool FinishForCell() override;

  // Breaks the text into lines beside the floats that `indents` keeps.
  int Layout(int x, int y, int width, int& cursor, int& maxWidth, IndentManager& indents) override;
  // The widest unbreakable piece, and the widest stretch between line
  // breaks (with the floats beside it).
  void MeasureWidths(int& minWidth, int& maxWidth) override;
  // How many of the n characters from lineStart fit on the line at the
  // layout's current y; may be 0. Floats at the start of the line are
  // placed on the way.
  int FitCount(TSectionLayoutState& state, int lineStart, int n);
  // Width of `count` characters from `start`; with stripEnd, trailing
  // spaces and line breaks do not count.
  int TextWidth(int start, int count, bool stripEnd) const;
  bool CollectSelectedText(TSelTextCount& collector, int selStart, int selEnd) override;
  int SourceOfPosition(int position) const override;
  int PositionOfSource(int sourcePosition, bool exact) const override;
  TSection* CharacterAt(int position, char16_t& ch) override;

  // Lines without geometry, for content too deep to lay out: the whole
  // text is one line.
  virtual void LayoutLines();

  int SectionOrdinal = 0;
  int LayoutPassSeen = 0;
  // The buffers that live as long as the section come from the document's
  // pool of section memory.
  std::pmr::u16string Text;
  std::pmr::string BreakFlags;  // 'y' a line may break after the character, 'n' not
  std::optional<std::vector<int32_t>> SourceIndexes;  // while the section is built
  std::pmr::vector<TFontObj> FontRuns;
  TImageObjList Floats;
  TFormControlList Controls;
  std::pmr::vector<IndexObj> SourceRuns;  // after Complete
  std::pmr::vector<LineRec> LineList;     // after layout
  uint8_t Alignment = 1;             // 1 left, 2 center, 3 right, 4 justify
  uint8_t ClearMode = 0;             // 1 left, 2 right, 3 both
  int LineHeightPx = -1;
  bool HasAnchorName = false;
  int PreWidth = 0;
  int IndentPixels = 0;
  int IndentPercent = 0;

 protected:
  // The line breaking shared by both kinds of section; a preformatted one
  // makes a single line.
  int LayoutText(int x, int y, int width, int& cursor, int& maxWidth, IndentManager& indents,
                 bool preformatted);
  // The embedded object at a marker character, or nullptr (a hidden field
  // shares its index with the next character but has no marker).
  TFloatingObj* FloatAt(int index) const;
  TFormControlObj* ControlAt(int index) const;
  size_t FontRunAt(int index) const;
  // The same, looked for from the run `hint` on: layout and measuring ask
  // for positions in text order, so the answer is nearly always the hinted
  // run or the next. Any hint gives the right run. Inline, since every
  // step of every line asks.
  size_t FontRunFrom(size_t hint, int index) const {
    const size_t n = FontRuns.size();
    if (hint < n && FontRuns[hint].Pos <= index) {
      if (hint + 1 == n || FontRuns[hint + 1].Pos > index) return hint;
      if (hint + 2 == n || FontRuns[hint + 2].Pos > index) return hint + 1;
    }
    return FontRunAt(index);
  }
  const TFontObj& FontAt(int index) const { return FontRuns[FontRunAt(index)]; }
  // Where the run after `run` starts, or the end of the text.
  int FontRunEnd(size_t run) const {
    return run + 1 < FontRuns.size() ? FontRuns[run + 1].Pos : static_cast<int>(Text.size());
  }
  // 'y' past the end: the end of the text is always a break.
  char BreakFlagAt(int index) const {
    return index >= 0 && index < static_cast<int>(BreakFlags.size()) ? BreakFlags[index] : 'y';
  }
  int ClearHeight(const IndentManager& indents, int y) const;

  bool WidthsCached = false;
  // False while no marker character can be in the text: layout and the
  // selected text then need not look for markers. Every piece of text
  // that is added sets it when it holds one; removing text leaves it set.
  bool MayHoldMarkers = false;
  int MinWidthCache = 0, MaxWidthCache = 0;
  bool PreWidthKnown = false;

  void AppendCharacters(std::u16string_view chars, const int32_t* positions, bool keepTogether);
  // Removes the marked characters; an empty vector marks none.
  void RemoveCharacters(const std::vector<bool>& remove);
  void BuildSourceRuns();
  void RestoreSourceIndexes();

 private:
  void CollapseSpaces();
  // Marks into an empty or text-sized vector.
  void RemoveSpacesAfterFloats(std::vector<bool>& remove) const;
  void RemoveSpacesAroundBreaks();
  void ForgetLinkRuns();
  // A run at the end of the text; may move the runs already there.
  TFontObj& AddFontRun(TProperties& properties);

  // Line breaking, one step each.
  struct TBreak {
    int Chars = 0;
    bool Overlong = false;  // no break fits: the line overflows its width
  };
  TBreak ChooseBreak(int lineStart, int fitted, int n) const;
  int WalkLine(TSectionLayoutState& state, int lineStart, int limit, int64_t available);
  bool MoveBelowFloat(TSectionLayoutState& state);
  void AddEmptyLine(TSectionLayoutState& state, int height);
  void MakeLine(TSectionLayoutState& state, int chars, bool overlong);
  void LineHeights(TSectionLayoutState& state, LineRec& line) const;
  void PositionLine(TSectionLayoutState& state, LineRec& line, bool overlong);
  void PlaceFloat(TSectionLayoutState& state, TFloatingObj& image, int y);
  void ReportLayoutProgress();
  int64_t WidestPiece() const;
  int64_t WidestStretch() const;
};

class TPreFormated : public TSection {
 public:
  using TSection::TSection;
  // Preformatted text keeps every space and never breaks inside a line.
  void AppendText(const TokenObj& token, const TAppendMode& mode) override;
  void Complete() override;
  bool IsDisposable() const override { return false; }
  // One line however long, and its width as the section's width.
  int Layout(int x, int y, int width, int& cursor, int& maxWidth, IndentManager& indents) override;
  void MeasureWidths(int& minWidth, int& maxWidth) override;
};

}  // namespace folverin
