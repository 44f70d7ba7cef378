#include "app/version_info.h"

#include "app/version.h"
#include "common/file_system.h"

namespace folverin {

namespace {

struct TCompiledValue {
  const char* Name;
  AnsiString Value;
};

const std::vector<TCompiledValue>& CompiledValues() {
  static const std::vector<TCompiledValue> values = {
      {"CompanyName", "Brevimar"},
      {"FileDescription", "Folverin"},
      {"FileVersion", AnsiString(kProjectVersion) + ".0"},
      {"InternalName", "folverin"},
      {"LegalCopyright", "\xA9 Brevimar"},
      {"OriginalFilename", "folverin"},
      {"ProductName", "Folverin"},
      {"ProductVersion", kProjectVersion},
  };
  return values;
}

}  // namespace

bool TCompiledVersionSource::HasVersionInfo(std::string_view fileName) const {
  return FileExists(fileName);
}

std::optional<AnsiString> TCompiledVersionSource::QueryValue(std::string_view,
                                                             std::string_view name) const {
  for (const TCompiledValue& value : CompiledValues()) {
    if (name == value.Name) return value.Value;
  }
  return std::nullopt;
}

const std::vector<AnsiString>& TGetVersionInfoFromFile::QueriedNames() {
  static const std::vector<AnsiString> names = {"CompanyName",    "FileDescription", "FileVersion",
                                                "InternalName",   "LegalCopyright",  "OriginalFilename",
                                                "ProductName",    "ProductVersion"};
  return names;
}

void TGetVersionInfoFromFile::SetFileName(std::string_view fileName) {
  VersionStrings.clear();
  VersionCategories.clear();
  if (!FileExists(fileName)) {
    fileName_.clear();
    return;
  }
  fileName_ = AnsiString(fileName);
  if (!source_.HasVersionInfo(fileName)) return;
  for (const AnsiString& name : QueriedNames()) {
    const std::optional<AnsiString> value = source_.QueryValue(fileName, name);
    if (!value) return;
    if (value->empty()) continue;
    VersionCategories.push_back(name);
    VersionStrings.push_back(*value);
  }
}

AnsiString TGetVersionInfoFromFile::GetVersionValue(std::string_view name) const {
  for (size_t i = 0; i < VersionCategories.size(); ++i) {
    if (SameText(VersionCategories[i], name)) return VersionStrings[i];
  }
  return {};
}

}  // namespace folverin
