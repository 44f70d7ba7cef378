#include "htmlengine/style/style_shorthands.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "common/ansi_string.h"
#include "htmlengine/style/colour_names.h"
#include "htmlengine/style/style_words.h"

namespace folverin {

namespace {

bool Contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

bool IsStrictColour(std::string_view word) {
  TColour colour;
  return ColourFromString(word, true, colour);
}

struct TContext {
  std::string_view Base;
  TStylePathForm Form;
  const TDeclarationSink& Sink;

  AnsiString Resolved(std::string_view value) const {
    return Base.empty() || !Contains(value, "url(") ? AnsiString(value)
                                                    : ResolveStyleUrl(value, Base, Form);
  }
};

// margin, padding, border-width: one to four words for the four sides.
void ExpandSides(std::string_view value, const std::array<std::string, 4>& targets,
                 const TContext& context) {
  std::vector<AnsiString> words = SplitStyleWords(value, 4);
  if (words.empty()) return;
  static constexpr int kWordOfSide[4][4] = {
      {0, 0, 0, 0}, {0, 1, 0, 1}, {0, 1, 2, 1}, {0, 1, 2, 3}};  // top right bottom left
  for (int side = 0; side < 4; ++side)
    context.Sink(targets[side], words[kWordOfSide[words.size() - 1][side]]);
}

bool IsBorderStyleWord(std::string_view word) {
  static constexpr std::string_view kStyles[] = {"none",   "solid", "dashed", "dotted", "double",
                                                 "groove", "inset", "outset", "ridge"};
  return std::find(std::begin(kStyles), std::end(kStyles), word) != std::end(kStyles);
}

void ExpandBorder(std::string_view name, std::string_view value, const TContext& context) {
  std::string base(name);
  AnsiString rest(value);
  for (const AnsiString& part : TakeFunctionParts(rest))
    if (IsStrictColour(part)) context.Sink(base + "-color", part);
  for (const AnsiString& word : SplitStyleWords(rest, 7)) {
    if (IsStrictColour(word)) {
      context.Sink(base + "-color", word);
    } else if (IsBorderStyleWord(word)) {
      context.Sink(base + "-style", word);
    } else if (name == "border") {
      for (const char* side : {"border-top-width", "border-right-width", "border-bottom-width",
                               "border-left-width"})
        context.Sink(side, word);
    } else {
      context.Sink(base + "-width", word);
    }
  }
}

void ExpandFont(std::string_view rawValue, const TContext& context) {
  static constexpr std::string_view kStyles[] = {"italic", "oblique"};
  static constexpr std::string_view kWeights[] = {"normal", "bolder", "lighter", "bold"};
  static constexpr std::string_view kSizes[] = {"larger", "smaller", "xx-small", "x-small", "small",
                                                "medium", "large",   "x-large",  "xx-large"};
  auto in = [](const auto& list, std::string_view word) {
    return std::find(std::begin(list), std::end(list), word) != std::end(list);
  };
  for (const AnsiString& word : SplitStyleWords(LowerCase(Trim(rawValue)), 7)) {
    if (word[0] == '/') context.Sink("line-height", std::string_view(word).substr(1));
    else if (in(kStyles, word)) context.Sink("font-style", word);
    else if (in(kWeights, word)) context.Sink("font-weight", word);
    else if (word == "small-caps") context.Sink("font-variant", word);
    else if (in(kSizes, word)) context.Sink("font-size", word);
    else if (word[0] >= '0' && word[0] <= '9') context.Sink("font-size", word);
    else context.Sink("font-family", word);
  }
}

void ExpandBackground(std::string_view value, const TContext& context) {
  AnsiString rest(value);
  for (const AnsiString& part : TakeFunctionParts(rest)) {
    if (Contains(part, "rgb(")) context.Sink("background-color", part);
    else if (Contains(part, "url(")) context.Sink("background-image", context.Resolved(part));
  }
  std::vector<AnsiString> words = SplitStyleWords(rest, 7);
  std::vector<bool> used(words.size(), false);
  auto pass = [&](auto takes) {
    for (size_t i = 0; i < words.size(); ++i)
      if (!used[i] && takes(words[i])) used[i] = true;
  };
  pass([&](const AnsiString& word) {
    if (IsStrictColour(word)) context.Sink("background-color", word);
    else if (word == "none") context.Sink("background-image", word);
    else return false;
    return true;
  });
  pass([&](const AnsiString& word) {
    if (!Contains(word, "repeat")) return false;
    context.Sink("background-repeat", word);
    return true;
  });
  pass([&](const AnsiString& word) {
    if (word != "fixed" && word != "scroll") return false;
    context.Sink("background-attachment", word);
    return true;
  });
  std::vector<AnsiString> left;
  for (size_t i = 0; i < words.size(); ++i)
    if (!used[i]) left.push_back(words[i]);
  if (left.empty()) return;
  AnsiString position;
  for (size_t i = left.size() >= 2 ? left.size() - 2 : 0; i < left.size(); ++i)
    position += left[i] + " ";
  context.Sink("background-position", position);
}

void ExpandListStyle(std::string_view value, const TContext& context) {
  for (const AnsiString& word : SplitStyleWords(value, 7)) {
    if (Contains(word, "url(")) context.Sink("list-style-image", context.Resolved(word));
    else context.Sink("list-style-type", word);
  }
}

std::array<std::string, 4> SideNames(std::string_view prefix, std::string_view suffix) {
  std::array<std::string, 4> names;
  const char* sides[4] = {"top", "right", "bottom", "left"};
  for (int i = 0; i < 4; ++i) names[i] = std::string(prefix) + sides[i] + std::string(suffix);
  return names;
}

}  // namespace

void ExpandDeclaration(const TDeclaration& declaration, std::string_view base,
                       const TDeclarationSink& sink, TStylePathForm form) {
  TContext context{base, form, sink};
  std::string_view name = declaration.Name, value = declaration.Value;
  if (name == "margin") ExpandSides(value, SideNames("margin-", ""), context);
  else if (name == "padding") ExpandSides(value, SideNames("padding-", ""), context);
  else if (name == "border-width") ExpandSides(value, SideNames("border-", "-width"), context);
  else if (name == "border" || name == "border-top" || name == "border-right" ||
           name == "border-bottom" || name == "border-left")
    ExpandBorder(name, value, context);
  else if (name == "font") ExpandFont(declaration.RawValue, context);
  else if (name == "background") ExpandBackground(value, context);
  else if (name == "list-style") ExpandListStyle(value, context);
  else sink(name, context.Resolved(value));
}

}  // namespace folverin
