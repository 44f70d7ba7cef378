#include "common/profile_reader.h"

#include "common/file_system.h"
#include "common/line_ends.h"
#include "common/windows1252.h"

namespace folverin {

namespace {

AnsiString Unquote(AnsiString value) {
  if (value.size() >= 2) {
    const char first = value.front();
    if ((first == '"' || first == '\'') && value.back() == first)
      value = value.substr(1, value.size() - 2);
  }
  return value;
}

}  // namespace

AnsiString SettingsFileText(std::string_view bytes) {
  constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
  if (bytes.substr(0, kUtf8Mark.size()) == kUtf8Mark) bytes.remove_prefix(kUtf8Mark.size());
  return BytesToAnsi(bytes);
}

TProfile TProfile::FromText(std::string_view text) {
  TProfile profile;
  for (std::string_view raw : SplitLines(text)) {
    const AnsiString line = Trim(raw);
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[') {
      const size_t close = line.find(']');
      const std::string_view name =
          std::string_view(line).substr(1, close == AnsiString::npos ? AnsiString::npos : close - 1);
      profile.sections_.push_back({Trim(name), {}});
      continue;
    }
    const size_t equals = line.find('=');
    if (profile.sections_.empty() || equals == AnsiString::npos) continue;
    AnsiString key = Trim(std::string_view(line).substr(0, equals));
    AnsiString value = Unquote(Trim(std::string_view(line).substr(equals + 1)));
    if (value.size() > kMaxValueLength) value.resize(kMaxValueLength);
    profile.sections_.back().Entries.push_back({std::move(key), std::move(value)});
  }
  return profile;
}

TProfile TProfile::FromFile(std::string_view ansiPath) {
  const auto bytes = ReadWholeFile(ansiPath);
  return bytes ? FromText(SettingsFileText(*bytes)) : TProfile();
}

std::optional<AnsiString> TProfile::Find(std::string_view section, std::string_view key) const {
  // As with the platform's reader, only the first section of a name is
  // consulted, and in it the first key of a name wins.
  for (const Section& candidate : sections_) {
    if (!SameText(candidate.Name, section)) continue;
    for (const Entry& entry : candidate.Entries)
      if (SameText(entry.Key, key)) return entry.Value;
    return std::nullopt;
  }
  return std::nullopt;
}

AnsiString TProfile::ReadString(std::string_view section, std::string_view key,
                                std::string_view defaultValue) const {
  auto value = Find(section, key);
  return value ? *value : AnsiString(defaultValue);
}

}  // namespace folverin
