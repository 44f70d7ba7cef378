// A pipe, a device, a link to /dev/zero, a folder or a dangling link where a
// file is read or written: the readers refuse at once without waiting or
// filling memory, the writer refuses and leaves the thing as it was.
#include <gtest/gtest.h>

#include <filesystem>

#include "common/file_system.h"
#include "common/profile_reader.h"
#include "test_support/bounded_run.h"
#include "test_support/special_files.h"
#include "test_support/temp_folder.h"

namespace folverin {
namespace {

using testing::AllSpecialKinds;
using testing::IsStillSpecial;
using testing::MakeSpecial;
using testing::RunBounded;
using testing::SpecialKindName;
using testing::TBoundedResult;

TEST(SpecialFiles, ReadersRefuseEveryKindAtOnce) {
  for (const auto kind : AllSpecialKinds()) {
    SCOPED_TRACE(SpecialKindName(kind));
    testing::TempFolder folder;
    const std::string path = folder.Path() + "folverin.ini";
    ASSERT_TRUE(MakeSpecial(kind, path));
    const auto readsNothing = [&] {
      std::string kept = "left over";
      return !ReadWholeFile(path) && !ReadWholeFileInto(path, kept) && kept.empty() &&
             !TProfile::FromFile(path).Find("Global", "Title");
    };
    EXPECT_EQ(RunBounded(readsNothing), TBoundedResult::Passed);
    EXPECT_TRUE(IsStillSpecial(kind, path));
  }
}

TEST(SpecialFiles, WriterRefusesEveryKindAndLeavesItAsItWas) {
  for (const auto kind : AllSpecialKinds()) {
    SCOPED_TRACE(SpecialKindName(kind));
    testing::TempFolder folder;
    const std::string path = folder.Path() + "page.htm";
    ASSERT_TRUE(MakeSpecial(kind, path));
    const auto error = WriteWholeFile(path, "<HTML></HTML>\r\n");
    ASSERT_TRUE(error.has_value());
    EXPECT_NE(error->find("page.htm"), std::string::npos) << *error;
    EXPECT_TRUE(IsStillSpecial(kind, path));
    // Nothing else was left beside it.
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path()))
      EXPECT_TRUE(entry.path().filename() == "page.htm" || entry.path().filename() == ".devices")
          << entry.path();
  }
}

TEST(SpecialFiles, TooLargeFileIsRefusedWithoutReadingIt) {
  testing::TempFolder folder;
  const std::string path = folder.Write("huge.htm", "");
  // A sparse file: its size costs no disk and no time.
  std::filesystem::resize_file(path, kMaxReadSize + 1);
  std::string kept;
  EXPECT_FALSE(ReadWholeFileInto(path, kept));
  EXPECT_EQ(errno, EFBIG);
  std::filesystem::resize_file(path, 100);
  EXPECT_TRUE(ReadWholeFileInto(path, kept));
  EXPECT_EQ(kept, std::string(100, '\0'));
}

}  // namespace
}  // namespace folverin
