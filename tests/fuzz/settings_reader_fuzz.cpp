// Feeds arbitrary bytes to the settings reader as a collection's
// folverin.ini: the byte order mark and UTF-8 handling, the profile reader,
// every conversion of the settings record (switches, numbers, paths, the
// switch words of HostUIOptions) and the listing of "folverin-cli settings".
// The first byte picks whether the same bytes also serve as the Tools file
// PLUGIN32/PLUGIN32.TXT, whose parser then runs over them too. The files
// live in a folder of this process, made once.
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>

#include "app/app_settings.h"
#include "app/settings_listing.h"
#include "app/tools_file.h"
#include "common/profile_reader.h"

namespace {

using namespace folverin;

const std::string& Collection() {
  static const std::string folder = [] {
    std::string pattern = "/tmp/folverin-settings-fuzz-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) abort();
    ::mkdir((pattern + "/PLUGIN32").c_str(), 0700);
    return pattern + "/";
  }();
  return folder;
}

void WriteFile(const std::string& path, const uint8_t* data, size_t size) {
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string& folder = Collection();
  WriteFile(folder + "folverin.ini", data, size);
  const std::string tools = folder + "PLUGIN32/PLUGIN32.TXT";
  if (size > 0 && (data[0] & 1) != 0)
    WriteFile(tools, data, size);
  else
    ::unlink(tools.c_str());

  TSettingsEnvironment environment;
  environment.ProgramFile = folder + "folverin";
  environment.TempDir = folder;
  environment.DesignedWidth = 632;
  environment.DesignedHeight = 426;
  environment.ScreenWidth = 1280;
  environment.ScreenHeight = 1024;
  const TSettingsResult result = ReadAppSettings(environment);
  size_t listed = 0;
  for (const auto& [name, value] : ListSettings(result.Settings)) listed += name.size() + value.size();
  if (listed == 0) __builtin_trap();  // the listing always names every field

  const std::string text(reinterpret_cast<const char*>(data), size);
  const TProfile profile = TProfile::FromText(SettingsFileText(text));
  (void)profile.ReadString("Global", "Title", "Folverin");
  (void)ParseToolsFile(SettingsFileText(text));
  return 0;
}
