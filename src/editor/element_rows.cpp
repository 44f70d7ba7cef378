#include "editor/element_rows.h"

#include <string_view>

namespace folverin {
namespace {

void AppendLines(std::vector<std::string>& lines, std::string_view value) {
  size_t start = 0;
  for (size_t i = 0; i < value.size(); ++i) {
    if (value[i] != '\r' && value[i] != '\n') continue;
    lines.emplace_back(value.substr(start, i - start));
    if (value[i] == '\r' && i + 1 < value.size() && value[i + 1] == '\n') ++i;
    start = i + 1;
  }
  lines.emplace_back(value.substr(start));
}

}  // namespace

std::vector<std::string> ElementRows(const std::vector<TElementRecord>& elements) {
  std::vector<std::string> rows;
  rows.reserve(elements.size());
  for (const TElementRecord& element : elements) rows.push_back(element.TagName);
  return rows;
}

std::vector<std::string> ElementDetailLines(const TElementRecord& element) {
  std::vector<std::string> lines;
  lines.emplace_back("OUTERHTML");
  AppendLines(lines, element.OuterHTML);
  lines.emplace_back("INNERHTML");
  AppendLines(lines, element.InnerHTML);
  lines.emplace_back("OUTERTEXT");
  AppendLines(lines, element.OuterText);
  lines.emplace_back("INNERTEXT");
  AppendLines(lines, element.InnerText);
  AppendLines(lines, "ID: " + element.Id);
  AppendLines(lines, "TITLE: " + element.Title);
  lines.push_back("SrcIndex: " + std::to_string(element.SourceIndex));
  return lines;
}

}  // namespace folverin
