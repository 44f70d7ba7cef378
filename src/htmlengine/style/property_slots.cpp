#include "htmlengine/style/property_slots.h"

#include <array>

namespace folverin {

namespace {

constexpr std::array<std::string_view, kPropertyCount> kSlotNames = {
    "font-family", "font-size", "font-style", "font-weight", "text-align",
    "text-decoration", "border-style", "color", "background-color", "border-color",
    "margin-top", "margin-right", "margin-bottom", "margin-left",
    "padding-top", "padding-right", "padding-bottom", "padding-left",
    "border-top-width", "border-right-width", "border-bottom-width", "border-left-width",
    "border-top-color", "border-right-color", "border-bottom-color", "border-left-color",
    "border-top-style", "border-right-style", "border-bottom-style", "border-left-style",
    "width", "height", "top", "left", "visibility", "line-height",
    "background-image", "background-position", "background-repeat",
    "background-attachment", "vertical-align", "position", "z-index",
    "list-style-type", "list-style-image", "float", "clear", "text-indent",
    "page-break-before", "page-break-after", "page-break-inside", "text-transform",
    "display"};

}  // namespace

std::string_view SlotName(int slot) {
  if (slot < 0 || slot >= kPropertyCount) return {};
  return kSlotNames[slot];
}

std::optional<int> SlotOfName(std::string_view name) {
  for (int slot = 0; slot < kPropertyCount; ++slot)
    if (kSlotNames[slot] == name) return slot;
  return std::nullopt;
}

}  // namespace folverin
