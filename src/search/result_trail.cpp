#include "search/result_trail.h"

#include <algorithm>
#include <utility>

namespace folverin {

void TResultTrail::SearchShown(AnsiString pagePath, AnsiString query, std::vector<AnsiString> hits) {
  pagePath_ = std::move(pagePath);
  query_ = std::move(query);
  hits_ = std::move(hits);
}

std::optional<AnsiString> TResultTrail::LinkFollowed(std::string_view fromPath,
                                                     std::string_view toPath) const {
  if (pagePath_.empty() || fromPath != pagePath_ || toPath.empty()) return std::nullopt;
  // The page's templates may hold links of their own; they lead to no hit.
  if (std::find(hits_.begin(), hits_.end(), toPath) == hits_.end()) return std::nullopt;
  return query_;
}

}  // namespace folverin
