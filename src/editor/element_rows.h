// The element inspector's rows and details, from a snapshot of a document's
// elements taken once when the inspector is called up. Texts are UTF-8.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace folverin {

// What the inspector shows of one element, as the browser reports it.
struct TElementRecord {
  std::string TagName;
  std::string OuterHTML;
  std::string InnerHTML;
  std::string OuterText;
  std::string InnerText;
  std::string Id;     // empty when the element has none
  std::string Title;  // empty when the element has none
  std::int64_t SourceIndex = 0;
};

// One row per element, its tag name, in document order (the snapshot's).
std::vector<std::string> ElementRows(const std::vector<TElementRecord>& elements);

// The detail lines of one element: "OUTERHTML", its outer HTML, "INNERHTML",
// its inner HTML, "OUTERTEXT", its outer text, "INNERTEXT", its inner text,
// "ID: " id, "TITLE: " title and "SrcIndex: " source index. A value with
// line breaks (CR LF, CR or LF) takes as many lines as it has.
std::vector<std::string> ElementDetailLines(const TElementRecord& element);

}  // namespace folverin
