// Version strings laid out by a test: names missing from the map fail their
// query, as a version resource without them would.
#pragma once

#include <functional>
#include <map>
#include <string>

#include "app/version_info.h"

namespace folverin::testing {

class TFakeVersionSource : public TVersionSource {
 public:
  bool HasTranslation = true;
  std::map<std::string, AnsiString, std::less<>> Values;
  bool HasVersionInfo(std::string_view) const override { return HasTranslation; }
  std::optional<AnsiString> QueryValue(std::string_view, std::string_view name) const override {
    const auto it = Values.find(name);
    if (it == Values.end()) return std::nullopt;
    return it->second;
  }
};

}  // namespace folverin::testing
