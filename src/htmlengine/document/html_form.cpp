#include "htmlengine/document/html_form.h"

#include "htmlengine/tokenizer/html_attributes.h"

namespace folverin {

namespace {

AnsiString ValueOf(const TAttributeList& attributes, THtmlAttribute symbol) {
  const TAttribute* attribute = attributes.Lookup(symbol);
  return attribute ? attribute->Value : AnsiString();
}

}  // namespace

ThtmlForm::ThtmlForm(const TAttributeList& attributes)
    : Action(ValueOf(attributes, THtmlAttribute::Action)),
      Method(ValueOf(attributes, THtmlAttribute::Method)),
      Target(ValueOf(attributes, THtmlAttribute::Target)),
      EncType(ValueOf(attributes, THtmlAttribute::EncType)) {
  if (Method.empty()) Method = "GET";
}

}  // namespace folverin
