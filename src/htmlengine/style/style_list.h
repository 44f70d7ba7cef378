// The rule store of a document (TStyleList): property sets under their
// selector keys, preloaded with the default sheet and filled by the style
// sheets of the document in reading order.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string_view>
#include <vector>

#include "common/ansi_string.h"
#include "htmlengine/style/property_set.h"
#include "htmlengine/style/property_set_pool.h"
#include "htmlengine/style/style_key_index.h"
#include "htmlengine/support/font_metrics.h"

namespace folverin {

struct TParsedStyleSheet;

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
  bool operator==(const TStyleDefaults&) const = default;
};

// A store's rules together with their index. Stores share a table until one
// of them changes it (copy on write), and a view keeps the tables that the
// default sheet and its linked sheets produced, so that the next document
// starting the same way takes them instead of building them again.
struct TRuleTable {
  using TEntries = std::multimap<AnsiString, TProperties, TStyleKeyLess>;

  TRuleTable() = default;
  // The copy indexes its own entries.
  TRuleTable(const TRuleTable& other);
  TRuleTable& operator=(const TRuleTable&) = delete;

  TEntries Rules;
  TStyleKeyIndex KeyIndex;
  int Sequence = 10;
  TProperties* Default = nullptr;
  double DefaultSizePoints = 12;
  // A rule for a :hover key was added on the way to this table; taking the
  // table over sets the document's flag as adding the rule did.
  bool HoverRuleAdded = false;
};

class TStyleList {
 public:
  using TEntries = TRuleTable::TEntries;

  // hoverInUse is the document's flag that a rule for :hover exists; metrics
  // (kept, not owned) default to the shared fixed-width metrics.
  explicit TStyleList(bool* hoverInUse = nullptr, const FontMetrics* metrics = nullptr);
  TStyleList(const TStyleList&) = delete;
  TStyleList& operator=(const TStyleList&) = delete;

  void Clear();
  // The default sheet for these defaults; taken from an earlier document
  // when one started with the same defaults.
  void Initialize(const TStyleDefaults& defaults);
  // One declaration of a style sheet rule (CSS name, lower-case value).
  void AddModifyProp(std::string_view key, std::string_view name, std::string_view value);
  // The counter that keeps descendant-selector keys apart: 10, 11, ...
  AnsiString NextSequenceNumber();

  // Applies a shared, already read sheet through `apply` (which makes the
  // store calls of reading it), unless this very sheet was applied to this
  // very table before: then the table that resulted is taken over.
  void ApplyShared(const std::shared_ptr<const TParsedStyleSheet>& sheet,
                   const std::function<void()>& apply);

  const TEntries& Entries() const { return Table->Rules; }
  const TStyleKeyIndex& Index() const { return Table->KeyIndex; }
  // The first rule stored under the key, or nullptr.
  const TProperties* Find(std::string_view key) const;
  // The "default" entry, nullptr before Initialize.
  const TProperties* DefaultEntry() const { return Table->Default; }
  double DefaultSize() const { return Table->DefaultSizePoints; }
  const FontMetrics& Metrics() const { return *FontMetrics_; }
  // Changes whenever the rules may have changed; what was derived from the
  // rules under another value may be out of date.
  uint64_t Generation() const { return Changes; }
  // Spare sets for the property stacks built over this store, one document
  // after another. They hold nothing of the rules, so a const store hands
  // them out too.
  TPropSetPool& SpareSets() const { return SpareSets_; }

  // Tables kept for reuse at most, per kind (default sheets, sheets applied).
  static constexpr size_t kMaxKeptTables = 8;

 private:
  TRuleTable& Writable();
  TProperties& Entry(std::string_view key);
  void AddDefaultSheet(const TStyleDefaults& defaults);
  void TakeOver(const std::shared_ptr<TRuleTable>& table);

  struct TKeptDefaults {
    TStyleDefaults Defaults;
    std::shared_ptr<TRuleTable> Table;
  };
  struct TKeptApplication {
    std::shared_ptr<TRuleTable> Before;  // kept alive so that its address stays unique
    std::shared_ptr<const TParsedStyleSheet> Sheet;
    std::shared_ptr<TRuleTable> After;
  };

  std::shared_ptr<TRuleTable> Table;
  uint64_t Changes = 0;
  std::vector<TKeptDefaults> KeptDefaults;          // most recent last
  std::vector<TKeptApplication> KeptApplications;  // most recent last
  bool* HoverInUse;
  const FontMetrics* FontMetrics_;
  mutable TPropSetPool SpareSets_;
};

}  // namespace folverin
