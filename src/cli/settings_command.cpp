// folverin-cli settings DIR: every field of the settings record as Name=Value.
#include "app/settings_listing.h"
#include "cli/collection_settings.h"
#include "cli/commands.h"

namespace folverin::cli {

int RunSettingsCommand(const Arguments& args) {
  if (args.size() != 1) {
    std::fputs("Aufruf: folverin-cli settings DIR\n", stderr);
    return 2;
  }
  const auto folder = CollectionFolder(args[0]);
  if (!folder) {
    std::fprintf(stderr, "Ordnername ohne Windows-1252-Form: %s\n", args[0].c_str());
    return 1;
  }
  const TSettingsResult result = ReadCollectionSettings(*folder);
  for (const auto& [name, value] : ListSettings(result.Settings)) PrintLine(stdout, name + "=" + value);
  if (result.Outcome.ErrorMessage) {
    PrintLine(stderr, *result.Outcome.ErrorMessage + ".");
    return 1;
  }
  return 0;
}

}  // namespace folverin::cli
