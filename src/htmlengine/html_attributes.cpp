#include "htmlengine/html_attributes.h"

#include "htmlengine/style_sheet_parser.h"

namespace folverin {

void TAttributeList::Clear() {
  Items_.clear();
  ID_.reset();
}

const TAttribute* TAttributeList::Lookup(THtmlAttribute symbol) const {
  for (const TAttribute& attribute : Items_)
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
