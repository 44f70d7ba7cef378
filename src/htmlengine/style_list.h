// The rule store of a document (TStyleList): property sets under their
// selector keys, preloaded with the default sheet and filled by the style
// sheets of the document in reading order.
#pragma once

#include <map>
#include <string_view>

#include "common/ansi_string.h"
#include "htmlengine/font_metrics.h"
#include "htmlengine/property_set.h"
#include "htmlengine/style_key_index.h"

namespace folverin {

// Keys compare without regard to case, so that the keys sharing a prefix
// stand together.
struct TStyleKeyLess {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const { return CompareText(a, b) < 0; }
};

// What the document's SetDefaults hands to Initialize; the start values are
// the view's (Times New Roman 12 points, blue links, purple visited links,
// button text colour).
struct TStyleDefaults {
  AnsiString DefaultFamily = "Times New Roman";
  AnsiString FixedPitchFamily = "Courier New";
  int PageMarginWidth = 10;
  int PageMarginHeight = 5;
  int Charset = 1;
  bool UnderlineLinks = true;
  TColour HoverColour = 0xFF0000;
  TColour VisitedColour = 0x800080;
  TColour LinkColour = 0xFF0000;
  TColour TextColour = clBtnText;
  double DefaultSizePoints = 12;
};

class TStyleList {
 public:
  using TEntries = std::multimap<AnsiString, TProperties, TStyleKeyLess>;

  // hoverInUse is the document's flag that a rule for :hover exists; metrics
  // (kept, not owned) default to the shared fixed-width metrics.
  explicit TStyleList(bool* hoverInUse = nullptr, const FontMetrics* metrics = nullptr);
  // The index points into the entries; a copy would share them.
  TStyleList(const TStyleList&) = delete;
  TStyleList& operator=(const TStyleList&) = delete;

  void Clear();
  void Initialize(const TStyleDefaults& defaults);
  // One declaration of a style sheet rule (CSS name, lower-case value).
  void AddModifyProp(std::string_view key, std::string_view name, std::string_view value);
  // The counter that keeps descendant-selector keys apart: 10, 11, ...
  AnsiString NextSequenceNumber();

  const TEntries& Entries() const { return Rules; }
  const TStyleKeyIndex& Index() const { return KeyIndex; }
  // The first rule stored under the key, or nullptr.
  const TProperties* Find(std::string_view key) const;
  // The "default" entry, nullptr before Initialize.
  const TProperties* DefaultEntry() const { return Default; }
  double DefaultSize() const { return DefaultSizePoints; }
  const FontMetrics& Metrics() const { return *FontMetrics_; }

 private:
  TProperties& Entry(std::string_view key);
  void AddDefaultSheet(const TStyleDefaults& defaults);

  TEntries Rules;
  TStyleKeyIndex KeyIndex;
  int Sequence = 10;
  TProperties* Default = nullptr;
  double DefaultSizePoints = 12;
  bool* HoverInUse;
  const FontMetrics* FontMetrics_;
};

}  // namespace folverin
