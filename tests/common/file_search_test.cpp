#include "common/file_search.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "common/file_system.h"
#include "common/long_path.h"
#include "test_support/bounded_run.h"
#include "test_support/deep_folder.h"

namespace folverin {
namespace {

namespace fs = std::filesystem;

// A fresh folder, removed afterwards. In memory where the system offers it:
// one test writes 100,000 files.
fs::path ScratchBase() {
  std::error_code ec;
  if (fs::is_directory("/dev/shm", ec) && access("/dev/shm", W_OK) == 0) return "/dev/shm";
  return fs::temp_directory_path();
}

class FileSearchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (ScratchBase() / "folverin-fs-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    root_ = pattern + "/";
  }
  void TearDown() override {
    std::error_code ec;
    // Unblock folders a test made unreadable, then remove everything.
    for (auto it = fs::recursive_directory_iterator(root_, fs::directory_options::skip_permission_denied, ec);
         it != fs::recursive_directory_iterator(); it.increment(ec))
      if (it->is_directory(ec) && !it->is_symlink(ec)) fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(root_, ec);
  }

  void MakeFile(const std::string& rel, const std::string& content = "") {
    fs::create_directories(fs::path(root_ + rel).parent_path());
    std::ofstream(root_ + rel, std::ios::binary) << content;
  }
  void MakeFolder(const std::string& rel) { fs::create_directories(root_ + rel); }

  // Runs a walk and logs every event in order, paths relative to root_.
  std::vector<std::string> Walk(TFileSearch& search, const std::string& mask) {
    std::vector<std::string> log;
    auto rel = [this](const AnsiString& p) {
      return p.compare(0, root_.size(), root_) == 0 ? "~/" + p.substr(root_.size()) : p;
    };
    search.SetSearchFile(root_ + mask);
    search.OnChangeFolder = [&](const AnsiString& path, TSearchRec info) {
      log.push_back("dir " + rel(path) + " " + info.Name);
    };
    search.OnFileFind = [&](const AnsiString& path, TSearchRec info) {
      log.push_back("find " + rel(path) + info.Name);
    };
    search.OnFinish = [&](TFileSearch&) { log.push_back("finish"); };
    search.Execute();
    return log;
  }

  std::string root_;  // ends in "/"
};

std::string LastComponent(const std::string& folder) {
  return fs::path(folder.substr(0, folder.size() - 1)).filename().string();
}

TEST_F(FileSearchTest, WalksPreOrderReportingMatchesBeforeEnteringSubFolders) {
  MakeFile("b.htm");
  MakeFile("A.htm");
  MakeFile("c.txt");
  MakeFile("sub2/x.htm");
  MakeFile("Sub1/y.htm");
  MakeFile("Sub1/deep/z.htm");
  MakeFolder("Sub1/deep/empty");
  TFileSearch search;
  const std::vector<std::string> expected = {
      "dir ~/ " + LastComponent(root_),
      "find ~/A.htm",
      "find ~/b.htm",
      "dir ~/Sub1/ Sub1",
      "find ~/Sub1/y.htm",
      "dir ~/Sub1/deep/ deep",
      "find ~/Sub1/deep/z.htm",
      "dir ~/Sub1/deep/empty/ empty",
      "dir ~/sub2/ sub2",
      "find ~/sub2/x.htm",
      "finish",
  };
  EXPECT_EQ(Walk(search, "*.htm"), expected);

  search.RecurseSubFolders = false;
  const std::vector<std::string> flat = {"dir ~/ " + LastComponent(root_), "find ~/A.htm",
                                         "find ~/b.htm", "finish"};
  EXPECT_EQ(Walk(search, "*.HTM"), flat);
}

TEST_F(FileSearchTest, OrdersNamesByUpperCasedAsciiThenBytes) {
  for (const char* name : {"b", "B", "a", "_x", "Z", "a1", "\xC3\x84", "[c"}) MakeFile(name);
  TFileSearch search;
  // "_" and "[" sort after the upper-cased letters; "Ä" (196) after ASCII.
  const std::vector<std::string> expected = {
      "dir ~/ " + LastComponent(root_), "find ~/a", "find ~/a1", "find ~/B", "find ~/b",
      "find ~/Z", "find ~/[c", "find ~/_x", "find ~/\xC4", "finish"};
  EXPECT_EQ(Walk(search, "*"), expected);
}

TEST_F(FileSearchTest, DerivesAttributesAndSizes) {
  MakeFile("Bilder/bild.gif", "GIF");
  MakeFile("seite.htm", "12345");
  MakeFile(".versteckt", "");
  MakeFile("nur-lesen.htm", "x");
  chmod((root_ + "nur-lesen.htm").c_str(), 0444);
  std::vector<std::pair<std::string, TSearchRec>> found;
  std::vector<std::string> folders;
  TFileSearch search;
  search.SetSearchFile(root_ + "*.*");
  search.OnFileFind = [&](const AnsiString& path, TSearchRec info) { found.emplace_back(path, info); };
  search.OnChangeFolder = [&](const AnsiString& path, TSearchRec info) {
    folders.push_back(path);
    EXPECT_EQ(info.Attr & (faDirectory | faArchive), faDirectory) << path;
  };
  search.Execute();

  ASSERT_EQ(found.size(), 5u);
  EXPECT_EQ(found[0].second.Name, ".versteckt");
  EXPECT_EQ(found[0].second.Attr, faArchive | faHidden);
  EXPECT_EQ(found[1].second.Name, "Bilder");  // "*.*" reports the folder before entering it
  EXPECT_EQ(found[1].second.Attr, faDirectory);
  EXPECT_EQ(found[1].second.Size, 0u);
  EXPECT_EQ(found[2].second.Name, "nur-lesen.htm");
  // root may write anything, so the read-only bit only shows for other users.
  EXPECT_EQ(found[2].second.Attr, geteuid() == 0 ? faArchive : (faArchive | faReadOnly));
  EXPECT_EQ(found[3].second.Name, "seite.htm");
  EXPECT_EQ(found[3].second.Attr, faArchive);
  EXPECT_EQ(found[3].second.Size, 5u);
  EXPECT_EQ(found[4].first, root_ + "Bilder/");
  EXPECT_EQ(found[4].second.Name, "bild.gif");
  EXPECT_EQ(found[4].second.Size, 3u);
  EXPECT_EQ(folders, (std::vector<std::string>{root_, root_ + "Bilder/"}));
}

TEST_F(FileSearchTest, SizeIsCutTo32Bits) {
  const std::string path = root_ + "gross.bin";
  const int fd = open(path.c_str(), O_CREAT | O_WRONLY, 0644);
  ASSERT_GE(fd, 0);
  const bool sized = ftruncate(fd, (off_t{1} << 32) + 7) == 0;  // sparse, no disk used
  close(fd);
  if (!sized) GTEST_SKIP() << "file system refuses a 4 GiB sparse file";
  std::vector<uint32_t> sizes;
  TFileSearch search;
  search.SetSearchFile(root_ + "*.bin");
  search.OnFileFind = [&](const AnsiString&, TSearchRec info) { sizes.push_back(info.Size); };
  search.Execute();
  EXPECT_EQ(sizes, std::vector<uint32_t>{7});
}

TEST_F(FileSearchTest, StopEndsEveryLevelAndFinishStillFires) {
  MakeFile("a.htm");
  MakeFile("m/b.htm");
  MakeFile("m/c.htm");
  MakeFile("m/d.htm");
  MakeFile("m/n/e.htm");
  MakeFile("z/f.htm");
  TFileSearch search;
  int finds = 0;
  int finishes = 0;
  std::vector<std::string> folders;
  search.SetSearchFile(root_ + "*.htm");
  search.OnFileFind = [&](const AnsiString&, TSearchRec) {
    if (++finds == 3) search.Stop = true;
  };
  search.OnChangeFolder = [&](const AnsiString& path, TSearchRec) { folders.push_back(path); };
  search.OnFinish = [&](TFileSearch& sender) {
    ++finishes;
    EXPECT_EQ(&sender, &search);
  };
  search.Execute();
  EXPECT_EQ(finds, 3);
  EXPECT_EQ(finishes, 1);
  EXPECT_EQ(folders, (std::vector<std::string>{root_, root_ + "m/"}));
  EXPECT_TRUE(search.Stop);  // kept until the next Execute

  // A Stop left over from before has no effect on the next walk.
  finds = 0;
  search.OnFileFind = [&](const AnsiString&, TSearchRec) { ++finds; };
  search.Execute();
  EXPECT_EQ(finds, 6);
  EXPECT_FALSE(search.Stop);
}

TEST_F(FileSearchTest, PumpRunsAfterEveryEntryAndCanCancel) {
  MakeFile("a.htm");
  MakeFile("b.htm");
  MakeFile("c.txt");
  MakeFile("s/d.htm");
  std::vector<std::string> log;
  TFileSearch search;
  search.SetSearchFile(root_ + "*.htm");
  search.OnFileFind = [&](const AnsiString&, TSearchRec info) { log.push_back(info.Name); };
  search.OnChangeFolder = [&](const AnsiString&, TSearchRec info) { log.push_back("dir " + info.Name); };
  search.Pump = [&] { log.push_back("pump"); };
  search.Execute();
  // Matches: one pump each. Sub-folder pass: one before and one after each entry.
  const std::vector<std::string> expected = {
      "dir " + LastComponent(root_), "a.htm", "pump", "b.htm", "pump",
      "pump", "pump",                             // a.htm
      "pump", "pump",                             // b.htm
      "pump", "pump",                             // c.txt
      "pump", "dir s", "d.htm", "pump", "pump", "pump", "pump"};  // s
  EXPECT_EQ(log, expected);

  // A cancel button handled inside the pump sets Stop.
  int pumps = 0;
  int finishes = 0;
  log.clear();
  search.Pump = [&] {
    if (++pumps == 1) search.Stop = true;
  };
  search.OnFinish = [&](TFileSearch&) { ++finishes; };
  search.Execute();
  EXPECT_EQ(log, (std::vector<std::string>{"dir " + LastComponent(root_), "a.htm"}));
  EXPECT_EQ(finishes, 1);
}

TEST_F(FileSearchTest, MissingStartFolderGivesOneEmptyFolderEventAndFinish) {
  TFileSearch search;
  std::vector<std::string> log;
  int finishes = 0;
  search.SetSearchFile(root_ + "fehlt/*.*");
  search.OnChangeFolder = [&](const AnsiString& path, TSearchRec info) {
    log.push_back(path);
    EXPECT_EQ(info.Name, "");
    EXPECT_EQ(info.Attr, 0);
  };
  search.OnFileFind = [&](const AnsiString& path, TSearchRec) { log.push_back("find " + path); };
  search.OnFinish = [&](TFileSearch&) { ++finishes; };
  search.Execute();
  EXPECT_EQ(log, std::vector<std::string>{root_ + "fehlt/"});
  EXPECT_EQ(finishes, 1);
}

// A collection deep in the tree: the walk lists exactly its own documents,
// whatever the length of its path, and they can be read.
TEST_F(FileSearchTest, CollectionUnderALongPathIsWalkedWhole) {
  for (const size_t length : {250u, 252u, 254u, 255u, 256u, 300u, 1000u, 4000u, 4095u, 4096u, 4200u}) {
    SCOPED_TRACE(length);
    const std::string base = root_ + std::to_string(length);
    MakeFolder(std::to_string(length));
    const std::string collection = testing::MakeDeepFolder(base, length);
    ASSERT_EQ(collection.size(), length);
    testing::WriteDeep(collection, "in.htm", "drinnen");
    testing::WriteDeep(collection, "sub/deep.htm", "tief");
    // A document just outside, which a cut path would find instead.
    const std::string parent = collection.substr(0, collection.rfind('/'));
    testing::WriteDeep(parent, "outside.htm", "draussen");

    TFileSearch search;
    search.SetSearchFile(collection + "/*.*");
    std::vector<std::string> found;
    std::vector<AnsiString> unreadable;
    search.OnFileFind = [&](const AnsiString& folder, TSearchRec info) {
      ASSERT_EQ(folder.compare(0, collection.size() + 1, collection + "/"), 0);
      found.push_back(folder.substr(collection.size() + 1) + info.Name);
    };
    search.OnUnreadableFolder = [&](const AnsiString& folder) { unreadable.push_back(folder); };
    search.Execute();
    EXPECT_EQ(search.SearchFile(), collection + "/*.*");
    EXPECT_EQ(found, (std::vector<std::string>{"in.htm", "sub", "sub/deep.htm"}));
    EXPECT_TRUE(unreadable.empty());
    EXPECT_EQ(ReadWholeFile(collection + "/sub/deep.htm"), "tief");
    EXPECT_EQ(WriteWholeFile(collection + "/sub/page.htm", "neu"), std::nullopt);
    EXPECT_EQ(ReadWholeFile(collection + "/sub/page.htm"), "neu");
    testing::RemoveDeepAt(AT_FDCWD, base);
  }
}

TEST_F(FileSearchTest, HandlerExceptionLeavesExecuteWithoutFinish) {
  MakeFile("a.htm");
  MakeFile("b.htm");
  TFileSearch search;
  int finds = 0;
  int finishes = 0;
  search.SetSearchFile(root_ + "*.htm");
  search.OnFinish = [&](TFileSearch&) { ++finishes; };
  search.OnFileFind = [&](const AnsiString&, TSearchRec) {
    ++finds;
    throw std::runtime_error("Lesefehler");
  };
  EXPECT_THROW(search.Execute(), std::runtime_error);
  EXPECT_EQ(finds, 1);
  search.OnFileFind = nullptr;
  search.OnChangeFolder = [](const AnsiString&, TSearchRec) { throw std::runtime_error("x"); };
  EXPECT_THROW(search.Execute(), std::runtime_error);
  EXPECT_EQ(finishes, 0);
}

// chmod 000 blocks every user but root; as root the walk runs in a child
// that has become an ordinary user.
TEST_F(FileSearchTest, UnreadableSubFolderIsAnnouncedReportedAndSiblingsWalked) {
  MakeFile("a/gesperrt/x.htm");
  MakeFile("b/y.htm");
  chmod((root_ + "a/gesperrt").c_str(), 0);
  chmod(root_.c_str(), 0755);
  const std::vector<std::string> expected = {"dir ~/ " + LastComponent(root_), "dir ~/a/ a",
                                             "dir ~/a/gesperrt/ gesperrt", "dir ~/b/ b",
                                             "find ~/b/y.htm", "finish"};
  const auto walk = [&] {
    if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) return false;
    TFileSearch search;
    std::vector<AnsiString> unreadable;
    search.OnUnreadableFolder = [&](const AnsiString& folder) { unreadable.push_back(folder); };
    return Walk(search, "*.htm") == expected &&
           unreadable == std::vector<AnsiString>{root_ + "a/gesperrt/"};
  };
  EXPECT_EQ(testing::RunBounded(walk), testing::TBoundedResult::Passed);
}

TEST_F(FileSearchTest, FolderThatVanishesDuringTheWalkContributesNothing) {
  // Works as root too: a handler removes a sub-folder before it is entered.
  MakeFile("a.htm");
  MakeFile("weg/x.htm");
  MakeFile("z/y.htm");
  TFileSearch search;
  std::vector<std::string> log;
  search.SetSearchFile(root_ + "*.htm");
  search.OnChangeFolder = [&](const AnsiString& path, TSearchRec) { log.push_back(path); };
  search.OnFileFind = [&](const AnsiString& path, TSearchRec info) {
    log.push_back(path + info.Name);
    if (info.Name == "a.htm") fs::remove_all(root_ + "weg");
  };
  search.Execute();
  EXPECT_EQ(log, (std::vector<std::string>{root_, root_ + "a.htm", root_ + "weg/", root_ + "z/",
                                           root_ + "z/y.htm"}));
}

TEST_F(FileSearchTest, SymbolicLinksToFoldersAreNeitherEnteredNorReported) {
  MakeFile("sub/a.htm", "abc");
  fs::create_directory_symlink("..", root_ + "sub/hoch");  // a loop
  fs::create_directory_symlink(".", root_ + "selbst.htm");
  fs::create_symlink("sub/a.htm", root_ + "verweis.htm");
  fs::create_symlink("fehlt.htm", root_ + "kaputt.htm");
  ASSERT_EQ(mkfifo((root_ + "rohr.htm").c_str(), 0644), 0);
  TFileSearch search;
  int finds = 0;
  std::vector<std::string> log;
  search.SetSearchFile(root_ + "*.*");
  search.OnChangeFolder = [&](const AnsiString& path, TSearchRec) { log.push_back(path); };
  search.OnFileFind = [&](const AnsiString& path, TSearchRec info) {
    if (++finds == 100) {
      search.Stop = true;  // end a trapped walk; the comparison below fails
      return;
    }
    log.push_back(path + info.Name + " " + std::to_string(info.Size) + " " + std::to_string(info.Attr));
  };
  search.Execute();
  const std::vector<std::string> expected = {
      root_, root_ + "sub 0 16", root_ + "verweis.htm 3 32", root_ + "sub/", root_ + "sub/a.htm 3 32"};
  EXPECT_EQ(log, expected);
}

TEST_F(FileSearchTest, NamesWithoutWindows1252FormAreSkippedAndReported) {
  MakeFile("\xE6\x97\xA5\xE6\x9C\xAC.htm");      // Japanese, not in the code page
  MakeFile("bad\xFF.htm");                       // not UTF-8 at all
  MakeFile("\xC3\x9C" "bung/\xC3\xA4.htm", "");  // "Übung/ä.htm"
  MakeFile("ok.htm");
  TFileSearch search;
  std::vector<std::string> skipped;
  search.OnSkippedName = [&](const std::string& path) { skipped.push_back(path); };
  const std::vector<std::string> expected = {
      "dir ~/ " + LastComponent(root_), "find ~/ok.htm", "dir ~/\xDC" "bung/ \xDC" "bung",
      "find ~/\xDC" "bung/\xE4.htm", "finish"};
  EXPECT_EQ(Walk(search, "*.htm"), expected);
  EXPECT_EQ(skipped, (std::vector<std::string>{root_ + "bad\xFF.htm", root_ + "\xE6\x97\xA5\xE6\x9C\xAC.htm"}));
}

TEST_F(FileSearchTest, MaskWithoutFolderSearchesTheCurrentFolder) {
  MakeFile("hier.htm");
  const fs::path before = fs::current_path();
  fs::current_path(root_);
  TFileSearch search;
  std::vector<std::string> log;
  search.SetSearchFile("*.htm");
  search.OnChangeFolder = [&](const AnsiString& path, TSearchRec info) { log.push_back("[" + path + info.Name + "]"); };
  search.OnFileFind = [&](const AnsiString& path, TSearchRec info) { log.push_back(path + info.Name); };
  search.Execute();
  fs::current_path(before);
  EXPECT_EQ(log, (std::vector<std::string>{"[]", "hier.htm"}));
}

TEST_F(FileSearchTest, WalksAHundredThousandFilesQuickly) {
  const std::string big = root_ + "gross/";
  MakeFolder("gross");
  for (int i = 0; i < 100000; ++i) {
    const int fd = open((big + "f" + std::to_string(i) + (i % 2 ? ".htm" : ".txt")).c_str(),
                        O_CREAT | O_WRONLY, 0644);
    ASSERT_GE(fd, 0);
    close(fd);
  }
  TFileSearch search;
  int found = 0;
  std::string first;
  std::string last;
  search.SetSearchFile(root_ + "*.htm");
  search.OnFileFind = [&](const AnsiString&, TSearchRec info) {
    if (found++ == 0) first = info.Name;
    last = info.Name;
  };
  const auto start = std::chrono::steady_clock::now();
  search.Execute();
  const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  EXPECT_EQ(found, 50000);
  EXPECT_EQ(first, "f1.htm");
  EXPECT_EQ(last, "f99999.htm");
  EXPECT_LT(seconds, 5.0);
}

TEST(MatchesMaskTest, FollowsThePlatformWildcardRules) {
  EXPECT_TRUE(MatchesMask("index.htm", "*.htm"));
  EXPECT_TRUE(MatchesMask("INDEX.HTM", "*.htm"));
  EXPECT_TRUE(MatchesMask("a.b.htm", "*.htm"));
  EXPECT_FALSE(MatchesMask("a.html", "*.htm"));  // no short-name matches
  EXPECT_FALSE(MatchesMask("a.htm.bak", "*.htm"));
  EXPECT_TRUE(MatchesMask("Bilder", "*.*"));
  EXPECT_TRUE(MatchesMask(".versteckt", "*.*"));
  EXPECT_TRUE(MatchesMask("a.b.c", "*.*"));
  EXPECT_TRUE(MatchesMask("anything at all", "*"));
  EXPECT_TRUE(MatchesMask("README", "*."));
  EXPECT_FALSE(MatchesMask("a.txt", "*."));
  EXPECT_TRUE(MatchesMask("seite", "seite.*"));
  EXPECT_TRUE(MatchesMask("seite.htm", "SEITE.*"));
  EXPECT_FALSE(MatchesMask("seiten", "seite.*"));
  EXPECT_TRUE(MatchesMask("ab", "a?"));
  EXPECT_TRUE(MatchesMask("a", "a?"));  // "?" at the end may match nothing
  EXPECT_FALSE(MatchesMask("abc", "a?"));
  EXPECT_TRUE(MatchesMask("a.htm", "??.htm"));
  EXPECT_FALSE(MatchesMask("a.b", "a?b"));  // "?" does not match the dot
  EXPECT_FALSE(MatchesMask("ac", "a?c"));
  EXPECT_TRUE(MatchesMask("abc", "a?c"));
  EXPECT_FALSE(MatchesMask("\xE4.htm", "\xC4.htm"));  // case folding is ASCII only
  EXPECT_FALSE(MatchesMask("x", ""));
  EXPECT_TRUE(MatchesMask(std::string(200, 'a') + "b", "*a*a*a*a*a*a*a*a*a*a*b"));
}

}  // namespace
}  // namespace folverin
