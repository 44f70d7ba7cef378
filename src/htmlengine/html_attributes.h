// The attributes of one tag, in the order they were written.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "common/ansi_string.h"
#include "htmlengine/html_symbols.h"
#include "htmlengine/property_set.h"

namespace folverin {

struct TAttribute {
  THtmlAttribute Symbol = THtmlAttribute::Other;
  AnsiString Name;   // upper case
  AnsiString Value;  // as collected, see the tokenizer's value rules
  int32_t Numeric = 0;
};

class TAttributeList {
 public:
  void Add(TAttribute attribute) { Items_.push_back(std::move(attribute)); }
  void Clear();

  // The first attribute with the symbol, or nullptr.
  const TAttribute* Lookup(THtmlAttribute symbol) const;
  AnsiString GetClass() const;    // lower case, empty when absent
  const AnsiString& GetID();      // lower case, cached until Clear
  AnsiString GetTitle() const;    // as written, empty when absent
  // The STYLE attribute as a property set of its own, or nullptr without
  // one. The set belongs to the list and is made anew on every call.
  const TProperties* GetStyle();

  const std::vector<TAttribute>& Items() const { return Items_; }
  int Count() const { return static_cast<int>(Items_.size()); }

 private:
  std::vector<TAttribute> Items_;
  std::optional<AnsiString> ID_;
  std::unique_ptr<TProperties> Style_;
};

}  // namespace folverin
