#include "htmlengine/tokenizer/html_attributes.h"

#include <utility>

#include "htmlengine/style/style_sheet_parser.h"

namespace folverin {

namespace {

constexpr size_t kFirstCapacity = 8;

}  // namespace

TAttributeList::TAttributeList(TAttributeList&& other) noexcept
    : Items_(std::move(other.Items_)),
      Count_(std::exchange(other.Count_, 0)),
      ID_(std::exchange(other.ID_, std::nullopt)),
      Style_(std::move(other.Style_)) {}

TAttributeList& TAttributeList::operator=(TAttributeList&& other) noexcept {
  Items_ = std::move(other.Items_);
  Count_ = std::exchange(other.Count_, 0);
  ID_ = std::exchange(other.ID_, std::nullopt);
  Style_ = std::move(other.Style_);
  return *this;
}

void TAttributeList::Add(TAttribute attribute) {
  PrepareNext() = std::move(attribute);
  CommitNext();
}

TAttribute& TAttributeList::PrepareNext() {
  if (Count_ == Items_.size()) {
    // Growing one by one from nothing would move the kept attributes again
    // and again in every document.
    if (Items_.empty()) Items_.reserve(kFirstCapacity);
    return Items_.emplace_back();
  }
  TAttribute& next = Items_[Count_];
  next.Symbol = THtmlAttribute::Other;
  next.Name.clear();
  next.Value.clear();
  next.Numeric = 0;
  return next;
}

const TAttribute* TAttributeList::Lookup(THtmlAttribute symbol) const {
  for (const TAttribute& attribute : Items())
    if (attribute.Symbol == symbol) return &attribute;
  return nullptr;
}

AnsiString TAttributeList::GetClass() const {
  const TAttribute* found = Lookup(THtmlAttribute::Class);
  return found ? LowerCase(found->Value) : AnsiString();
}

const AnsiString& TAttributeList::GetID() {
  if (!ID_) {
    const TAttribute* found = Lookup(THtmlAttribute::ID);
    ID_ = found ? LowerCase(found->Value) : AnsiString();
  }
  return *ID_;
}

AnsiString TAttributeList::GetTitle() const {
  const TAttribute* found = Lookup(THtmlAttribute::Title);
  return found ? found->Value : AnsiString();
}

const TProperties* TAttributeList::GetStyle() {
  const TAttribute* found = Lookup(THtmlAttribute::Style);
  if (found == nullptr) return nullptr;
  Style_ = std::make_unique<TProperties>();
  ParseInlineStyle(found->Value, *Style_);
  return Style_.get();
}

}  // namespace folverin
