// Which document a browser window highlights the hits of its search in: one
// that it opened by a link of the result page its last search showed. Any
// other link leads away from the search and ends the highlighting.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "common/ansi_string.h"

namespace folverin {

class TResultTrail {
 public:
  // The window showed the result page `pagePath` of a search for `query`
  // that found `hits` (local paths, written alike on both sides: the
  // window cleans them).
  void SearchShown(AnsiString pagePath, AnsiString query, std::vector<AnsiString> hits);

  // A link in the document `fromPath` was followed to `toPath` (local paths;
  // empty for addresses that are no local files). The query whose hits are
  // to be highlighted in `toPath`, or nothing: only a link of the result
  // page to one of its hits leads there.
  std::optional<AnsiString> LinkFollowed(std::string_view fromPath, std::string_view toPath) const;

 private:
  AnsiString pagePath_;
  AnsiString query_;
  std::vector<AnsiString> hits_;
};

}  // namespace folverin
