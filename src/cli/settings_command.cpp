// folverin-cli settings DIR: every field of the settings record as Name=Value.
#include "app/settings_listing.h"
#include "cli/collection_settings.h"
#include "cli/command_line.h"
#include "cli/commands.h"

namespace folverin::cli {

int RunSettingsCommand(const Arguments& args) {
  if (args.size() != 1) {
    std::fputs("Aufruf: folverin-cli settings DIR\n", stderr);
    return 2;
  }
  // A folder that is not there would only list the defaults, as if it were
  // a collection without a settings file.
  const auto folder = ExistingCollectionFolder(args[0], false);
  if (!folder) return 1;
  const TSettingsResult result = ReadCollectionSettings(*folder, true);
  // Values are texts from the settings file: escape sequences in them must
  // not reach the terminal.
  for (const auto& [name, value] : ListSettings(result.Settings)) WriteLine(stdout, name + "=" + value);
  if (result.Outcome.ErrorMessage) {
    WriteLine(stderr, *result.Outcome.ErrorMessage + ".");
    return 1;
  }
  return 0;
}

}  // namespace folverin::cli
