// The attributes of one tag, in the order they were written.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "common/ansi_string.h"
#include "htmlengine/style/property_set.h"
#include "htmlengine/tokenizer/html_symbols.h"

namespace folverin {

struct TAttribute {
  THtmlAttribute Symbol = THtmlAttribute::Other;
  AnsiString Name;   // upper case
  AnsiString Value;  // as collected, see the tokenizer's value rules
  int32_t Numeric = 0;
};

class TAttributeList {
 public:
  TAttributeList() = default;
  TAttributeList(TAttributeList&& other) noexcept;
  TAttributeList& operator=(TAttributeList&& other) noexcept;

  void Add(TAttribute attribute);
  // Empty storage for the attribute being read; it joins the list only with
  // CommitNext, so an attribute cut short by an error is not listed.
  TAttribute& PrepareNext();
  void CommitNext() { ++Count_; }
  void Clear() {
    Count_ = 0;
    ID_.reset();
  }

  // The first attribute with the symbol, or nullptr.
  const TAttribute* Lookup(THtmlAttribute symbol) const;
  AnsiString GetClass() const;    // lower case, empty when absent
  const AnsiString& GetID();      // lower case, cached until Clear
  AnsiString GetTitle() const;    // as written, empty when absent
  // The STYLE attribute as a property set of its own, or nullptr without
  // one. The set belongs to the list and is made anew on every call.
  const TProperties* GetStyle();

  std::span<const TAttribute> Items() const { return {Items_.data(), Count_}; }
  int Count() const { return static_cast<int>(Count_); }

 private:
  // The first Count_ entries are the tag's attributes. The entries after
  // them are kept from earlier tags, so that the next tags' names and
  // values reuse their strings' storage instead of allocating anew.
  std::vector<TAttribute> Items_;
  size_t Count_ = 0;
  std::optional<AnsiString> ID_;
  std::unique_ptr<TProperties> Style_;
};

}  // namespace folverin
