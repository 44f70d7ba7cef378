#include "common/file_system.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>

#include "common/windows1252.h"
#include "test_support/file_size_limit.h"

namespace folverin {
namespace {

namespace fs = std::filesystem;

class FileSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "folverin-fs-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    root_ = pattern;
  }
  void TearDown() override {
    std::error_code ignored;
    fs::permissions(root_, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(root_, ignored);
  }

  // Creates a file named by its UTF-8 path below the test folder.
  void MakeFile(const std::string& utf8Relative, const std::string& content = "x") {
    const fs::path path = root_ / utf8Relative;
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << content;
  }
  AnsiString Ansi(const std::string& ansiRelative) const { return root_.string() + "/" + ansiRelative; }
  std::string Utf8(const std::string& utf8Relative) const { return root_.string() + "/" + utf8Relative; }
  size_t EntryCount() const {
    return static_cast<size_t>(std::distance(fs::directory_iterator(root_), fs::directory_iterator()));
  }

  fs::path root_;
};

TEST_F(FileSystemTest, ResolverFindsNamesWhoseLetterCaseDiffers) {
  MakeFile("INDEX/LINK.IDB");
  EXPECT_EQ(ResolveOnDisk(Ansi("index/Link.iDB")), Utf8("INDEX/LINK.IDB"));
  EXPECT_TRUE(FileExists(Ansi("index/Link.iDB")));
  EXPECT_TRUE(DirectoryExists(Ansi("Index")));
  EXPECT_TRUE(DirectoryExists(Ansi("index/")));
  // A name that is missing in every case stays as written.
  EXPECT_EQ(ResolveOnDisk(Ansi("index/Nothing.iDB")), Utf8("INDEX/Nothing.iDB"));
  EXPECT_FALSE(FileExists(Ansi("index/Nothing.iDB")));
  EXPECT_EQ(ResolveOnDisk(Ansi("none/Link.iDB")), Utf8("none/Link.iDB"));
}

TEST_F(FileSystemTest, ResolverPrefersTheExactNameAndChoosesStably) {
  MakeFile("a.txt", "lower");
  MakeFile("A.TXT", "upper");
  EXPECT_EQ(ResolveOnDisk(Ansi("a.txt")), Utf8("a.txt"));
  EXPECT_EQ(ResolveOnDisk(Ansi("A.TXT")), Utf8("A.TXT"));
  // Neither is exact: the first in byte order wins, whatever the folder order.
  EXPECT_EQ(ResolveOnDisk(Ansi("A.txt")), Utf8("A.TXT"));
  EXPECT_EQ(ReadWholeFile(Ansi("a.txt")), "lower");
}

TEST_F(FileSystemTest, ReadingIntoAKeptStringReplacesWhatItHeld) {
  MakeFile("Big.txt", std::string(100000, 'b'));
  MakeFile("small.txt", "klein");
  MakeFile("empty.txt", "");
  std::string kept = "left over";
  ASSERT_TRUE(ReadWholeFileInto(Ansi("big.TXT"), kept));  // found without regard to case
  EXPECT_EQ(kept, std::string(100000, 'b'));
  ASSERT_TRUE(ReadWholeFileInto(Ansi("small.txt"), kept));
  EXPECT_EQ(kept, "klein");
  ASSERT_TRUE(ReadWholeFileInto(Ansi("empty.txt"), kept));
  EXPECT_EQ(kept, "");
  kept = "left over";
  errno = 0;
  EXPECT_FALSE(ReadWholeFileInto(Ansi("missing.txt"), kept));
  EXPECT_EQ(errno, ENOENT);  // callers name the reason
  EXPECT_EQ(kept, "");
  kept = "left over";
  EXPECT_FALSE(ReadWholeFileInto(Ansi("small.txt") + std::string(1, '\0'), kept));
  EXPECT_EQ(kept, "");
}

TEST_F(FileSystemTest, ResolverConvertsWindows1252NamesToUtf8) {
  MakeFile(AnsiToUtf8("Gr\xF6\xDF" "e.htm"), "umlaut");
  EXPECT_EQ(ReadWholeFile(Ansi("Gr\xF6\xDF" "e.htm")), "umlaut");
  EXPECT_TRUE(FileExists(Ansi("GR\xF6\xDF" "E.HTM")));
  // Only ASCII letters fold: Ö is not ö.
  EXPECT_FALSE(FileExists(Ansi("GR\xD6\xDF" "E.HTM")));
}

TEST_F(FileSystemTest, ResolverWorksOnRelativePaths) {
  MakeFile("Sub/File.htm");
  const fs::path old = fs::current_path();
  fs::current_path(root_);
  EXPECT_EQ(ResolveOnDisk("sub/file.HTM"), "Sub/File.htm");
  EXPECT_EQ(ResolveOnDisk("./SUB/../sub/file.htm"), "./Sub/../Sub/File.htm");
  fs::current_path(old);
}

TEST_F(FileSystemTest, ExistenceChecksTellFilesFromFoldersAndRejectNulBytes) {
  MakeFile("dir/file.txt");
  EXPECT_TRUE(FileExists(Ansi("dir/file.txt")));
  EXPECT_FALSE(DirectoryExists(Ansi("dir/file.txt")));
  EXPECT_TRUE(DirectoryExists(Ansi("dir")));
  EXPECT_FALSE(FileExists(Ansi("dir")));
  EXPECT_FALSE(FileExists(Ansi("missing")));
  EXPECT_FALSE(FileExists(""));
  // "dir/file.txt\0.exe" must not be taken for "dir/file.txt".
  const AnsiString withNul = Ansi("dir/file.txt") + std::string(1, '\0') + ".exe";
  EXPECT_FALSE(FileExists(withNul));
  EXPECT_FALSE(ReadWholeFile(withNul).has_value());
  EXPECT_TRUE(WriteWholeFile(withNul, "x").has_value());
  EXPECT_FALSE(IsWritable(withNul));
  EXPECT_EQ(ReadWholeFile(Ansi("dir/file.txt")), "x");
  // The exact test finds no other letter case and no folder.
  EXPECT_TRUE(FileExistsExactly(Ansi("dir/file.txt")));
  EXPECT_FALSE(FileExistsExactly(Ansi("DIR/file.txt")));
  EXPECT_FALSE(FileExistsExactly(Ansi("dir")));
  EXPECT_FALSE(FileExistsExactly(withNul));
}

// The pieces put together are the file; each ends at a line end or at the
// end of the file, so no line is cut, whatever the lines' ends and lengths.
TEST_F(FileSystemTest, LineBlocksAreTheFileCutOnlyAtLineEnds) {
  std::string content;
  for (int i = 0; i < 3000; ++i) {
    content += "Zeile " + std::to_string(i);
    content += i % 3 == 0 ? "\r\n" : i % 3 == 1 ? "\n" : "\r";
  }
  content += std::string(700, 'L') + "\r\nohne Ende";
  MakeFile("lines.txt", content);
  for (const size_t blockSize : {1u, 7u, 64u, 4096u, 1u << 20}) {
    std::string joined;
    size_t pieces = 0;
    const bool read = ReadLineBlocks(Ansi("LINES.TXT"), blockSize, [&](std::string_view piece) {
      EXPECT_FALSE(piece.empty());
      const bool last = joined.size() + piece.size() == content.size();
      if (!last) EXPECT_TRUE(piece.back() == '\r' || piece.back() == '\n') << blockSize;
      joined += piece;
      ++pieces;
      return true;
    });
    ASSERT_TRUE(read) << blockSize;
    EXPECT_EQ(joined, content) << blockSize;
    if (blockSize == 4096u) EXPECT_GT(pieces, 5u);
  }
  // Stopped after the first piece; an empty file gives none; what is no
  // regular file is not read.
  size_t calls = 0;
  EXPECT_TRUE(ReadLineBlocks(Ansi("lines.txt"), 64, [&](std::string_view) { return ++calls < 1; }));
  EXPECT_EQ(calls, 1u);
  MakeFile("empty.txt", "");
  EXPECT_TRUE(ReadLineBlocks(Ansi("empty.txt"), 64, [&](std::string_view) { return ++calls > 0; }));
  EXPECT_EQ(calls, 1u);
  EXPECT_FALSE(ReadLineBlocks(Ansi("missing.txt"), 64, [](std::string_view) { return true; }));
  EXPECT_FALSE(ReadLineBlocks(root_.string(), 64, [](std::string_view) { return true; }));
}

TEST_F(FileSystemTest, ReadWholeFileKeepsEveryByte) {
  std::string content;
  for (int i = 0; i < 200000; ++i) content += static_cast<char>(i % 256);
  MakeFile("bin.dat", content);
  EXPECT_EQ(ReadWholeFile(Ansi("BIN.DAT")), content);
  MakeFile("empty.txt", "");
  EXPECT_EQ(ReadWholeFile(Ansi("empty.txt")), "");
  EXPECT_FALSE(ReadWholeFile(Ansi("missing.txt")).has_value());
  EXPECT_FALSE(ReadWholeFile(root_.string()).has_value());
  // Sizes around the first read's buffer, and a file whose length the
  // system reports as 0 although it has content.
  for (size_t size : {4095u, 4096u, 4097u, 8192u, 8193u}) {
    MakeFile("edge.dat", content.substr(0, size));
    EXPECT_EQ(ReadWholeFile(Ansi("edge.dat")), content.substr(0, size)) << size;
  }
  const auto status = ReadWholeFile("/proc/self/status");
  ASSERT_TRUE(status.has_value());
  EXPECT_NE(status->find("Name:"), std::string::npos);
}

TEST_F(FileSystemTest, WriteWholeFileCreatesAndReplacesKeepingTheMode) {
  EXPECT_EQ(WriteWholeFile(Ansi("new.htm"), "one\r\n"), std::nullopt);
  EXPECT_EQ(ReadWholeFile(Ansi("new.htm")), "one\r\n");
  fs::permissions(Utf8("new.htm"), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(WriteWholeFile(Ansi("new.htm"), "two"), std::nullopt);
  EXPECT_EQ(ReadWholeFile(Ansi("new.htm")), "two");
  EXPECT_EQ(fs::status(Utf8("new.htm")).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(EntryCount(), 1u);  // no temporary file left
}

// The letter-case resolver finds names to read; a name given for writing is
// used exactly, so neither a file nor a folder whose case differs is hit.
TEST_F(FileSystemTest, WriteWholeFileUsesTheNameExactlyAsGiven) {
  MakeFile("report.htm", "kept");
  MakeFile("Docs/keep.txt");
  EXPECT_EQ(WriteWholeFile(Ansi("Report.htm"), "new"), std::nullopt);
  EXPECT_EQ(ReadWholeFile(Utf8("report.htm")), "kept");
  EXPECT_EQ(ReadWholeFile(Utf8("Report.htm")), "new");

  const auto error = WriteWholeFile(Ansi("DOCS/new.htm"), "new");
  EXPECT_TRUE(error.has_value());
  EXPECT_FALSE(fs::exists(Utf8("Docs/new.htm")));
  EXPECT_FALSE(fs::exists(Utf8("DOCS")));
}

TEST_F(FileSystemTest, WriteWholeFileWritesThroughTheUsersOwnLinkOnly) {
  MakeFile("real.txt", "old");
  fs::create_symlink(Utf8("real.txt"), Utf8("link.txt"));
  EXPECT_EQ(WriteWholeFile(Ansi("link.txt"), "new"), std::nullopt);
  EXPECT_TRUE(fs::is_symlink(Utf8("link.txt")));
  EXPECT_EQ(ReadWholeFile(Ansi("real.txt")), "new");

  // A link that another user planted is what turns a write onto a file of
  // ours; only root can make one here.
  if (geteuid() != 0) GTEST_SKIP() << "making a link of another user needs root";
  ASSERT_EQ(lchown(Utf8("link.txt").c_str(), 65534, 65534), 0);
  const auto error = WriteWholeFile(Ansi("link.txt"), "planted");
  ASSERT_TRUE(error.has_value());
  EXPECT_NE(error->find("anderen Benutzers"), std::string::npos) << *error;
  EXPECT_EQ(ReadWholeFile(Ansi("real.txt")), "new");
  EXPECT_TRUE(fs::is_symlink(Utf8("link.txt")));
}

TEST_F(FileSystemTest, FailedWriteLeavesTargetAndFolderAsTheyWere) {
  MakeFile("page.htm/inner.txt", "inside");  // the target is a folder
  const auto error = WriteWholeFile(Ansi("page.htm"), "text");
  ASSERT_TRUE(error.has_value());
  EXPECT_NE(error->find("page.htm"), std::string::npos);
  EXPECT_EQ(ReadWholeFile(Ansi("page.htm/inner.txt")), "inside");
  EXPECT_EQ(EntryCount(), 1u);

  EXPECT_TRUE(WriteWholeFile(Ansi("missing/page.htm"), "text").has_value());
  EXPECT_FALSE(fs::exists(Utf8("missing")));
}

TEST_F(FileSystemTest, WriteThatRunsOutOfSpaceKeepsTheOldFile) {
  // A file size limit makes the write itself fail part-way, as a full disk
  // would; it applies to root too.
  MakeFile("index.htm", "old content");
  std::optional<std::string> error;
  {
    const testing::TFileSizeLimit limit(4096);
    ASSERT_TRUE(limit.Active());
    error = WriteWholeFile(Ansi("index.htm"), std::string(100000, 'n'));
  }
  EXPECT_TRUE(error.has_value());
  EXPECT_EQ(ReadWholeFile(Ansi("index.htm")), "old content");
  EXPECT_EQ(EntryCount(), 1u);
}

TEST_F(FileSystemTest, StagedFilesReplaceTheirTargetsOnlyWhenCommitted) {
  MakeFile("a.txt", "old a");
  MakeFile("b.txt", "old b");
  {
    TStagedFile a, b;
    ASSERT_TRUE(a.Begin(Ansi("a.txt")) && a.Write("new ") && a.Write("a") && a.Finish());
    ASSERT_TRUE(b.Begin(Ansi("b.txt")) && b.Write("new b") && b.Finish());
    EXPECT_EQ(ReadWholeFile(Ansi("a.txt")), "old a");
    ASSERT_TRUE(a.Commit());
    // b is dropped uncommitted: its target stays, its temporary file goes.
  }
  EXPECT_EQ(ReadWholeFile(Ansi("a.txt")), "new a");
  EXPECT_EQ(ReadWholeFile(Ansi("b.txt")), "old b");
  EXPECT_EQ(EntryCount(), 2u);

  MakeFile("dir.txt/inner", "x");
  TStagedFile refused;
  EXPECT_FALSE(refused.Begin(Ansi("dir.txt")));
  EXPECT_NE(refused.Error().find("dir.txt"), std::string::npos);
  EXPECT_FALSE(refused.Write("x"));
  TStagedFile missingFolder;
  EXPECT_FALSE(missingFolder.Begin(Ansi("missing/x.txt")));
  EXPECT_EQ(missingFolder.ErrorNumber(), ENOENT);
}

TEST_F(FileSystemTest, PermissionsAreHonouredForOrdinaryUsers) {
  if (geteuid() == 0) GTEST_SKIP() << "root passes every permission check";
  MakeFile("ro/file.txt", "old");
  fs::permissions(Utf8("ro/file.txt"), fs::perms::owner_read);
  EXPECT_FALSE(IsWritable(Ansi("ro/file.txt")));
  EXPECT_TRUE(WriteWholeFile(Ansi("ro/file.txt"), "new").has_value());
  fs::permissions(Utf8("ro"), fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_TRUE(WriteWholeFile(Ansi("ro/other.txt"), "new").has_value());
  EXPECT_EQ(ReadWholeFile(Ansi("ro/file.txt")), "old");
  fs::permissions(Utf8("ro"), fs::perms::owner_all);
}

TEST_F(FileSystemTest, IsWritableAndRemoveFile) {
  MakeFile("Doc.htm");
  EXPECT_TRUE(IsWritable(Ansi("doc.htm")));
  EXPECT_FALSE(IsWritable(Ansi("missing.htm")));
  // Deleting, like writing, takes the name exactly: a case variant stays.
  EXPECT_TRUE(RemoveFile(Ansi("DOC.HTM")));
  EXPECT_TRUE(fs::exists(Utf8("Doc.htm")));
  EXPECT_TRUE(RemoveFile(Ansi("Doc.htm")));
  EXPECT_FALSE(fs::exists(Utf8("Doc.htm")));
  EXPECT_TRUE(RemoveFile(Ansi("Doc.htm")));  // already gone
  MakeFile("folder/x");
  EXPECT_FALSE(RemoveFile(Ansi("folder")));
}

TEST(FileSystem, ProgramFolderIsTheFolderOfTheRunningProgram) {
  const AnsiString folder = ProgramFolder("ignored");
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.front(), '/');
  EXPECT_EQ(folder.back(), '/');
  EXPECT_EQ(folder, Utf8ToAnsi(fs::read_symlink("/proc/self/exe").parent_path().string()) + "/");
}

TEST(FileSystem, ToNativeSeparatorsTurnsBackslashesIntoSlashes) {
  EXPECT_EQ(ToNativeSeparators("PLUGIN32\\PLUGIN32.TXT"), "PLUGIN32/PLUGIN32.TXT");
  EXPECT_EQ(ToNativeSeparators("a/b\\\\c"), "a/b//c");
  EXPECT_EQ(ToNativeSeparators(""), "");
}

}  // namespace
}  // namespace folverin
