// Reads INI files the way the platform's profile-string function does:
// section and key names without regard to case, blanks around a value and
// one pair of enclosing quotes removed, at most 2047 characters of a value.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/ansi_string.h"

namespace folverin {

// The text of a settings or tools file as the program reads it: a UTF-8 byte
// order mark is dropped, and a file that is valid UTF-8 is converted to
// Windows-1252 (collections are edited with editors of either kind); any
// other file is Windows-1252 already and taken as it is.
AnsiString SettingsFileText(std::string_view bytes);

class TProfile {
 public:
  // The platform reads into a buffer of 2048 bytes, one of them the
  // terminating zero.
  static constexpr size_t kMaxValueLength = 2047;

  // An empty profile: every key is missing.
  TProfile() = default;
  static TProfile FromText(std::string_view text);
  // A file that cannot be read gives the empty profile. Its bytes go through
  // SettingsFileText.
  static TProfile FromFile(std::string_view ansiPath);

  // The value of the key, or nothing when the section or the key is missing.
  // A key that is present with an empty value gives the empty text.
  std::optional<AnsiString> Find(std::string_view section, std::string_view key) const;
  AnsiString ReadString(std::string_view section, std::string_view key,
                        std::string_view defaultValue) const;

 private:
  struct Entry {
    AnsiString Key;
    AnsiString Value;
  };
  struct Section {
    AnsiString Name;
    std::vector<Entry> Entries;
  };
  std::vector<Section> sections_;
};

}  // namespace folverin
