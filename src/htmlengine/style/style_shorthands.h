// CSS shorthand properties (margin, border, font, background, ...) turned
// into the longhand declarations the property model knows.
#pragma once

#include <functional>
#include <string_view>

#include "htmlengine/style/style_url.h"

namespace folverin {

using TDeclarationSink = std::function<void(std::string_view name, std::string_view value)>;

struct TDeclaration {
  std::string_view Name;
  std::string_view Value;     // lower-case, trimmed, enclosing quotes removed
  std::string_view RawValue;  // the same before the quotes were removed
};

// Hands the declaration, or its longhand expansion, to sink. With a base
// address (linked sheets) url(...) values are resolved against it first.
void ExpandDeclaration(const TDeclaration& declaration, std::string_view base,
                       const TDeclarationSink& sink,
                       TStylePathForm form = TStylePathForm::Native);

}  // namespace folverin
