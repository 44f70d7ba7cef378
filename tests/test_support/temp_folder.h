// A temporary folder for one test, removed with everything in it afterwards.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include <stdlib.h>

namespace folverin::testing {

class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "folverin-test-XXXXXX").string();
    path_ = mkdtemp(pattern.data());
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder with a trailing "/".
  std::string Path() const { return path_.string() + "/"; }

  // Writes a file (creating its folders); relative to the folder.
  std::string Write(std::string_view relative, std::string_view bytes) const {
    const std::filesystem::path file = path_ / std::string(relative);
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return file.string();
  }
  std::string MakeFolder(std::string_view relative) const {
    const std::filesystem::path folder = path_ / std::string(relative);
    std::filesystem::create_directories(folder);
    return folder.string() + "/";
  }

 private:
  std::filesystem::path path_;
};

}  // namespace folverin::testing
