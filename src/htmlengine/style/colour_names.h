// Colours written as text in documents and style sheets: names (HTML, CSS 3
// and the platform's system colours), #rgb / #rrggbb and rgb(...).
#pragma once

#include <cstddef>
#include <string_view>

#include "htmlengine/style/property_slots.h"

namespace folverin {

// Reads a colour. With strict on, a hexadecimal colour needs its "#" (the
// shorthands use this to tell colours from other words). Named colours and
// numeric colours carry kColourFlag; system colours and "transparent"
// (NoColour) do not. Returns false, leaving colour as it was, when the text
// is no colour.
bool ColourFromString(std::string_view text, bool strict, TColour& colour);

// The colour of a name (ASCII case-insensitive), false when the table lacks
// it. Exposed so that the table itself can be checked.
bool ColourOfName(std::string_view name, TColour& colour);
size_t ColourNameCount();

}  // namespace folverin
