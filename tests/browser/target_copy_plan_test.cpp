#include "browser/target_copy_plan.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "test_support/temp_folder.h"

namespace folverin {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

// The plan's steps as "+folder" and "file", relative to the target folder,
// in plan order.
std::vector<std::string> StepsBelow(const TCopyPlan& plan, const std::string& target) {
  std::vector<std::string> steps;
  for (const TCopyStep& step : plan.Steps) {
    EXPECT_EQ(step.Target.substr(0, target.size()), target);
    const std::string relative = step.Target.substr(target.size());
    steps.push_back(step.Kind == TCopyStepKind::MakeFolder ? "+" + relative : relative);
  }
  return steps;
}

size_t CopySteps(const TCopyPlan& plan) {
  size_t count = 0;
  for (const TCopyStep& step : plan.Steps) count += step.Kind == TCopyStepKind::CopyFile;
  return count;
}

TEST(TargetCopyPlan, FolderCopyFollowsTheWalkOrder) {
  TempFolder source, target;
  for (const char* file : {"b.htm", "A.htm", "_x.htm", "a/z.htm", "c/d/e.htm"}) source.Write(file, file);
  const TCopyPlan plan = PlanFolderCopy(source.Path(), target.Path());
  // Each folder's entries by name without regard to ASCII case ("_" after
  // the letters), then its sub-folders.
  EXPECT_EQ(StepsBelow(plan, target.Path()), (std::vector<std::string>{"+a", "A.htm", "b.htm", "+c", "_x.htm",
                                                                       "a/z.htm", "+c/d", "c/d/e.htm"}));
  EXPECT_EQ(plan.FileCount, 5u);
  EXPECT_TRUE(plan.Left.empty());
  for (const TCopyStep& step : plan.Steps) {
    if (step.Kind == TCopyStepKind::CopyFile) {
      EXPECT_EQ(step.Source, source.Path() + step.Target.substr(target.Path().size()));
    }
  }
}

TEST(TargetCopyPlan, NeverCopiesAFolderIntoItself) {
  TempFolder source;
  source.Write("a.htm", "a");
  source.Write("sub/b.htm", "b");
  source.Write("sub/tief/c.htm", "c");
  source.Write("ziel/alt.htm", "alt");
  // The target inside the copied folder: that folder is left out whole.
  const std::string into = source.Path() + "ziel/";
  EXPECT_EQ(StepsBelow(PlanFolderCopy(source.Path(), into), into),
            (std::vector<std::string>{"a.htm", "+sub", "sub/b.htm", "+sub/tief", "sub/tief/c.htm"}));
  // Deeper down: the folder that holds it goes, whatever lies beside it.
  const std::string deep = source.Path() + "sub/tief/";
  EXPECT_EQ(StepsBelow(PlanFolderCopy(source.Path(), deep), deep),
            (std::vector<std::string>{"a.htm", "+ziel", "ziel/alt.htm"}));
  // Reached through a link from elsewhere, the target is still inside.
  TempFolder elsewhere;
  fs::create_directory_symlink(source.Path() + "sub/tief", elsewhere.Path() + "verweis");
  const std::string linked = elsewhere.Path() + "verweis/";
  EXPECT_EQ(StepsBelow(PlanFolderCopy(source.Path(), linked), linked),
            (std::vector<std::string>{"a.htm", "+ziel", "ziel/alt.htm"}));
}

TEST(TargetCopyPlan, TheSameFileIsNeverItsOwnTarget) {
  TempFolder source;
  const std::string page = source.Write("seite.htm", "Inhalt");
  source.Write("sub/b.htm", "b");
  // Into its own folder, directly or through a link to it: nothing to copy.
  EXPECT_EQ(CopySteps(PlanFolderCopy(source.Path(), source.Path())), 0u);
  EXPECT_EQ(CopySteps(PlanFileCopy(page, source.Path())), 0u);
  TempFolder elsewhere;
  const std::string sourceFolder = source.Path().substr(0, source.Path().size() - 1);
  fs::create_directory_symlink(sourceFolder, elsewhere.Path() + "verweis");
  EXPECT_EQ(CopySteps(PlanFolderCopy(source.Path(), elsewhere.Path() + "verweis/")), 0u);
  EXPECT_EQ(CopySteps(PlanFileCopy(page, elsewhere.Path() + "verweis/")), 0u);
  // A hard link of the file in the target is the file too.
  TempFolder target;
  fs::create_hard_link(page, target.Path() + "seite.htm");
  const TCopyPlan plan = PlanFolderCopy(source.Path(), target.Path());
  EXPECT_EQ(StepsBelow(plan, target.Path()), (std::vector<std::string>{"+sub", "sub/b.htm"}));
  EXPECT_EQ(plan.FileCount, 1u);
  // Another file of that name is replaced (the window asks first).
  TempFolder other;
  other.Write("seite.htm", "alt");
  EXPECT_EQ(CopySteps(PlanFileCopy(page, other.Path())), 1u);
}

TEST(TargetCopyPlan, FindsTheLinkTargetWhateverItsLetterCase) {
  TempFolder source, target;
  source.Write("Kapitel/Seite.htm", "s");
  const TCopyPlan file = PlanFileCopy(source.Path() + "KAPITEL/seite.HTM", target.Path());
  ASSERT_EQ(file.Steps.size(), 1u);
  EXPECT_EQ(file.Steps[0].Source, source.Path() + "Kapitel/Seite.htm");
  EXPECT_EQ(file.Steps[0].Target, target.Path() + "Seite.htm");
  const TCopyPlan folder = PlanFolderCopy(source.Path() + "kapitel/", target.Path());
  EXPECT_EQ(StepsBelow(folder, target.Path()), (std::vector<std::string>{"Seite.htm"}));
}

TEST(TargetCopyPlan, LeavesOutWhatCannotBeCopiedAndSaysWhat) {
  TempFolder source, target;
  source.Write("a.htm", "a");
  // A link loop and a pipe: the walk does not enter or list them, so the
  // copy neither runs without end nor waits on the pipe.
  fs::create_directory_symlink("..", source.Path() + "schleife");
  ASSERT_EQ(::mkfifo((source.Path() + "rohr").c_str(), 0600), 0);
  // A name with no Windows-1252 form cannot be carried.
  source.Write("\xE6\x97\xA5\xE6\x9C\xAC.htm", "j");
  const TCopyPlan plan = PlanFolderCopy(source.Path(), target.Path());
  EXPECT_EQ(StepsBelow(plan, target.Path()), (std::vector<std::string>{"a.htm"}));
  EXPECT_EQ(plan.Left.size(), 1u);
  // A missing file to save is named too.
  EXPECT_EQ(PlanFileCopy(source.Path() + "fehlt.htm", target.Path()).Left.size(), 1u);
  if (::geteuid() != 0) {
    const std::string closed = source.MakeFolder("zu");
    ASSERT_EQ(::chmod(closed.c_str(), 0), 0);
    EXPECT_EQ(PlanFolderCopy(source.Path(), target.Path()).Left.size(), 2u);
    ::chmod(closed.c_str(), 0700);
  }
}

}  // namespace
}  // namespace folverin
