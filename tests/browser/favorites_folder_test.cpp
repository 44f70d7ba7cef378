#include "browser/favorites_folder.h"

#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

#include "test_support/temp_folder.h"

namespace folverin {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> Names(const std::vector<TFavorite>& entries) {
  std::vector<std::string> names;
  for (const TFavorite& entry : entries) names.push_back(entry.Name);
  return names;
}

const TFavorite* Find(const std::vector<TFavorite>& entries, const std::string& name) {
  for (const TFavorite& entry : entries)
    if (entry.Name == name) return &entry;
  return nullptr;
}

std::string Shortcut(const std::string& url) { return "[InternetShortcut]\r\nURL=" + url + "\r\n"; }

TEST(FavoritesFolder, ShowsFoldersFirstThenNamesWithoutRegardToCaseOrAccents) {
  testing::TempFolder folder;
  folder.Write("zebra.url", Shortcut("http://zebra.example/"));
  folder.Write("Apfel.url", Shortcut("file:///sammlung/apfel.htm"));
  folder.Write("\xC3\xA4pfel.url", Shortcut("file:///sammlung/%C3%A4pfel.htm"));  // "äpfel" on disk
  folder.Write("Banane.URL", Shortcut("file:///sammlung/banane.htm"));
  folder.Write("\xC3\x96lfass.url", Shortcut("file:///sammlung/oel.htm"));  // "Ölfass"
  folder.Write("a&b [1] (x).url", Shortcut("file:///sammlung/ab.htm"));
  folder.Write("ordner B/innen.url", Shortcut("file:///sammlung/innen.htm"));
  folder.Write("Ordner a/tief/unten.url", Shortcut("file:///sammlung/unten.htm"));
  folder.MakeFolder("Ordner a/leer");
  folder.Write(".versteckt.url", Shortcut("file:///x.htm"));
  folder.Write("notiz.txt", "keine Verkn\xC3\xBCpfung");
  folder.Write("\xE6\xBC\xA2\xE5\xAD\x97.url", Shortcut("file:///y.htm"));  // no Windows-1252 form

  const std::vector<TFavorite> tree = ReadFavorites(folder.Path());
  EXPECT_EQ(Names(tree), (std::vector<std::string>{"Ordner a", "ordner B", "a&b [1] (x)", "Apfel", "\xE4pfel",
                                                   "Banane", "\xD6lfass", "zebra"}));
  const TFavorite* inner = Find(tree, "Ordner a");
  ASSERT_TRUE(inner);
  EXPECT_TRUE(inner->IsFolder);
  EXPECT_TRUE(inner->Target.empty());
  EXPECT_EQ(Names(inner->Children), (std::vector<std::string>{"leer", "tief"}));
  ASSERT_EQ(inner->Children[1].Children.size(), 1u);
  EXPECT_EQ(inner->Children[1].Children[0].Target, "file:///sammlung/unten.htm");
  EXPECT_EQ(inner->Children[1].Children[0].Path, folder.Path() + "Ordner a/tief/unten.url");
  EXPECT_EQ(Find(tree, "\xE4pfel")->Target, "file:///sammlung/%C3%A4pfel.htm");
  EXPECT_EQ(Find(tree, "Banane")->Target, "file:///sammlung/banane.htm");
  EXPECT_FALSE(Find(tree, "zebra")->IsFolder);

  // Choosing where a new favourite goes sees the folders only.
  const std::vector<TFavorite> folders = ReadFavoriteFolders(folder.Path());
  EXPECT_EQ(Names(folders), (std::vector<std::string>{"Ordner a", "ordner B"}));
  EXPECT_TRUE(folders[1].Children.empty());
  EXPECT_EQ(Names(folders[0].Children), (std::vector<std::string>{"leer", "tief"}));
}

TEST(FavoritesFolder, ReadsTheAddressOfAShortcutAndNothingElse) {
  const struct {
    const char* Case;
    std::string Bytes;
    const char* Target;
  } kRows[] = {
      {"as Windows writes it", Shortcut("http://example.invalid/a?b=1"), "http://example.invalid/a?b=1"},
      {"names in another letter case, lone line feeds",
       "[internetshortcut]\nurl = file:///a.htm\n", "file:///a.htm"},
      {"other keys and sections around it",
       "[DEFAULT]\r\nBASEURL=file:///falsch.htm\r\n[InternetShortcut]\r\nIconIndex=0\r\nURL=file:///b.htm\r\n"
       "[InternetShortcut.W]\r\nURL=file:///w.htm\r\n",
       "file:///b.htm"},
      {"with a byte order mark, in UTF-8", "\xEF\xBB\xBF" + Shortcut("file:///m\xC3\xBC" "ll.htm"),
       "file:///m\xFCll.htm"},
      {"in Windows-1252", Shortcut("file:///m\xFCll.htm"), "file:///m\xFCll.htm"},
      {"without URL=", "[InternetShortcut]\r\nIconFile=x.ico\r\n", ""},
      {"URL= in another section only", "[Andere]\r\nURL=file:///c.htm\r\n", ""},
      {"no section at all", "URL=file:///c.htm\r\n", ""},
      {"empty", "", ""},
      {"binary", "[InternetShortcut]\r\nURL=file:///" + std::string("\x01\x02\0\x7F\xFF", 5), ""},
  };
  for (const auto& row : kRows) {
    SCOPED_TRACE(row.Case);
    EXPECT_EQ(ShortcutTarget(row.Bytes), row.Target);
  }
}

TEST(FavoritesFolder, ABadShortcutIsStillAnEntryWithoutTarget) {
  testing::TempFolder folder;
  folder.Write("ohne Adresse.url", "[InternetShortcut]\r\n");
  std::string binary(5000, '\0');
  for (size_t i = 0; i < binary.size(); ++i) binary[i] = static_cast<char>(i * 37 % 256);
  folder.Write("kaputt.url", binary);
  folder.Write("riesig.url", Shortcut("file:///r.htm") + std::string(200000, 'x'));
  folder.Write("gut.url", Shortcut("file:///gut.htm"));
  const std::vector<TFavorite> tree = ReadFavorites(folder.Path());
  EXPECT_EQ(Names(tree), (std::vector<std::string>{"gut", "kaputt", "ohne Adresse", "riesig"}));
  EXPECT_EQ(tree[0].Target, "file:///gut.htm");
  EXPECT_EQ(tree[1].Target, "");
  EXPECT_EQ(tree[2].Target, "");
  EXPECT_EQ(tree[3].Target, "");
}

TEST(FavoritesFolder, AFolderThatCannotBeReadGivesWhatCanBeRead) {
  testing::TempFolder folder;
  EXPECT_TRUE(ReadFavorites(folder.Path() + "fehlt/").empty());
  EXPECT_TRUE(ReadFavorites("").empty());
  const std::string file = folder.Write("Favoriten", Shortcut("file:///a.htm"));
  EXPECT_TRUE(ReadFavorites(file).empty());
  EXPECT_TRUE(ReadFavorites(file + "/").empty());

  // A sub-folder the user may not list is an empty folder; the rest shows.
  const std::string root = folder.MakeFolder("fav");
  folder.Write("fav/gut.url", Shortcut("file:///gut.htm"));
  folder.Write("fav/gesperrt/innen.url", Shortcut("file:///innen.htm"));
  fs::permissions(folder.Path(), fs::perms::others_exec, fs::perm_options::add);
  fs::permissions(root, fs::perms::others_read | fs::perms::others_exec, fs::perm_options::add);
  fs::permissions(root + "gut.url", fs::perms::others_read, fs::perm_options::add);
  fs::permissions(root + "gesperrt", fs::perms::owner_all);
  // Root reads everything: the check runs as "nobody" in a child.
  const pid_t pid = fork();
  if (pid == 0) {
    if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(3);
    const std::vector<TFavorite> tree = ReadFavorites(root);
    const bool ok = Names(tree) == std::vector<std::string>{"gesperrt", "gut"} && tree[0].IsFolder &&
                    tree[0].Children.empty() && tree[1].Target == "file:///gut.htm";
    _exit(ok ? 0 : 1);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  EXPECT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST(FavoritesFolder, ATitleBecomesAFileName) {
  const struct {
    std::string Title;
    std::string Name;
  } kRows[] = {
      {"Kapitel 3: Gem\xFCse", "Kapitel 3_ Gem\xFCse"},
      {"a/b\\c*d?e\"f<g>h|i", "a_b_c_d_e_f_g_h_i"},
      {"  ..versteckt. . ", "versteckt"},
      {"Zeile\r\neins\tzwei", "Zeile__eins_zwei"},
      {"...", ""},
      {"", ""},
      {std::string(100, 'x') + " Ende", std::string(80, 'x')},
      {std::string(79, 'x') + " y", std::string(79, 'x')},
  };
  for (const auto& row : kRows) {
    SCOPED_TRACE(row.Title);
    EXPECT_EQ(FavoriteFileName(row.Title), row.Name);
  }
}

TEST(FavoritesFolder, ProposesThePageTitleOrElseTheDocumentsName) {
  const struct {
    const char* Title;
    const char* Address;
    const char* Name;
  } kRows[] = {
      {" Gem\xFCse und Obst ", "file:///sammlung/obst.htm", "Gem\xFCse und Obst"},
      {"", "file:///sammlung/Kapitel%201/gem%C3%BCse.htm", "gem\xFCse"},
      {"file:///sammlung/a.htm", "file:///sammlung/a.htm", "a"},
      {"", "http://example.invalid/seite.php?id=3#oben", "seite"},
      {"", "http://example.invalid/", "http://example.invalid/"},
  };
  for (const auto& row : kRows) {
    SCOPED_TRACE(row.Address);
    EXPECT_EQ(ProposedFavoriteName(row.Title, row.Address), row.Name);
  }
}

TEST(FavoritesFolder, AWrittenFavoriteIsReadBack) {
  testing::TempFolder folder;
  const std::string path = folder.Path() + FavoriteFileName("Gem\xFCse: frisch") + ".url";
  EXPECT_FALSE(WriteFavorite(path, "file:///sammlung/gem%FCse.htm").has_value());
  std::ifstream in(folder.Path() + "Gem\xC3\xBCse_ frisch.url", std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(bytes, "[InternetShortcut]\r\nURL=file:///sammlung/gem%FCse.htm\r\n");
  const std::vector<TFavorite> tree = ReadFavorites(folder.Path());
  ASSERT_EQ(tree.size(), 1u);
  EXPECT_EQ(tree[0].Name, "Gem\xFCse_ frisch");
  EXPECT_EQ(tree[0].Target, "file:///sammlung/gem%FCse.htm");

  // A folder that cannot take the file is an error, and nothing is left.
  const std::string blocked = folder.Write("datei", "x");
  EXPECT_TRUE(WriteFavorite(blocked + "/neu.url", "file:///a.htm").has_value());
  EXPECT_FALSE(fs::exists(blocked + "/neu.url"));
}

}  // namespace
}  // namespace folverin
