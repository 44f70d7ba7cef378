// The command line meets a pipe, a device, a link to /dev/zero, a folder or
// a dangling link as the settings file, as a linked style sheet and as the
// --page target: every run ends within seconds and leaves the thing as it
// was.
#include <gtest/gtest.h>

#include "cli_runner.h"
#include "test_support/bounded_run.h"
#include "test_support/special_files.h"
#include "test_support/temp_folder.h"

namespace folverin {
namespace {

using namespace folverin::testing;

// Runs the command in a child that is killed after ten seconds; `expect`
// judges what it printed.
TBoundedResult RunCliBounded(const std::vector<std::string>& args,
                             const std::function<bool(const CliRun&)>& expect) {
  return RunBounded([&] { return expect(RunCli(args)); }, 10);
}

TEST(SpecialFilesCli, SettingsFileLinkedSheetAndPageTargetNeverHangOrReplace) {
  for (const auto kind : AllSpecialKinds()) {
    SCOPED_TRACE(SpecialKindName(kind));
    TempFolder folder;
    folder.Write("doc.htm",
                 "<HTML><HEAD><TITLE>T</TITLE><LINK REL=stylesheet HREF=\"sheet.css\"></HEAD>"
                 "<BODY>Apfel</BODY></HTML>");
    ASSERT_TRUE(MakeSpecial(kind, folder.Path() + "folverin.ini"));
    ASSERT_TRUE(MakeSpecial(kind, folder.Path() + "sheet.css"));
    const std::string page = folder.Path() + "page.htm";
    ASSERT_TRUE(MakeSpecial(kind, page));

    // A settings file that cannot be read gives the defaults, as a missing one.
    EXPECT_EQ(RunCliBounded({"settings", folder.Path()},
                            [](const CliRun& run) {
                              return run.ExitCode == 0 &&
                                     run.Out.find("Title=Folverin\n") != std::string::npos;
                            }),
              TBoundedResult::Passed);
    // A sheet that cannot be read is no sheet; the document is read all the same.
    EXPECT_EQ(RunCliBounded({"text", folder.Path() + "doc.htm"},
                            [](const CliRun& run) {
                              return run.ExitCode == 0 && run.Out.find("Apfel") != std::string::npos;
                            }),
              TBoundedResult::Passed);
    // The page is refused with a message naming it; the hits are still found.
    EXPECT_EQ(RunCliBounded({"search", folder.Path(), "apfel", "--page", page},
                            [](const CliRun& run) {
                              return run.ExitCode == 1 && run.Err.find("page.htm") != std::string::npos;
                            }),
              TBoundedResult::Passed);
    EXPECT_TRUE(IsStillSpecial(kind, folder.Path() + "folverin.ini"));
    EXPECT_TRUE(IsStillSpecial(kind, folder.Path() + "sheet.css"));
    EXPECT_TRUE(IsStillSpecial(kind, page));
  }
}

}  // namespace
}  // namespace folverin
