#include "app/version_info.h"

#include <algorithm>

#include <gtest/gtest.h>

#include "test_support/fake_version_source.h"
#include "test_support/temp_folder.h"

namespace folverin {
namespace {

using testing::TFakeVersionSource;

TEST(VersionInfo, ReadsValuesInOrderAndLooksThemUpWithoutCase) {
  testing::TempFolder folder;
  const std::string program = folder.Write("folverin", "x");
  TFakeVersionSource source;
  for (const AnsiString& name : TGetVersionInfoFromFile::QueriedNames()) source.Values[name] = "v-" + name;
  source.Values["FileVersion"] = "1.2.0.5";
  source.Values["InternalName"] = "";  // empty values are left out
  TGetVersionInfoFromFile info(source);
  info.SetFileName(program);
  EXPECT_EQ(info.fileName(), program);
  EXPECT_EQ(info.VersionCategories.size(), 7u);
  EXPECT_EQ(info.VersionCategories[2], "FileVersion");
  EXPECT_EQ(info.VersionCategories[3], "LegalCopyright");
  EXPECT_EQ(info.GetVersionValue("fileversion"), "1.2.0.5");
  EXPECT_EQ(info.GetVersionValue("InternalName"), "");
  EXPECT_EQ(info.GetVersionValue("Unbekannt"), "");
}

TEST(VersionInfo, StopsAtTheFirstMissingName) {
  testing::TempFolder folder;
  const std::string program = folder.Write("folverin", "x");
  TFakeVersionSource source;
  source.Values = {{"CompanyName", "Brevimar"}, {"FileDescription", "Viewer"},
                   {"LegalCopyright", "(C) 2026"}, {"ProductName", "Folverin"}};
  TGetVersionInfoFromFile info(source);
  info.SetFileName(program);
  EXPECT_EQ(info.VersionCategories, (std::vector<AnsiString>{"CompanyName", "FileDescription"}));
  EXPECT_EQ(info.GetVersionValue("FileVersion"), "");
  EXPECT_EQ(info.GetVersionValue("LegalCopyright"), "");
}

TEST(VersionInfo, MissingFileOrTranslationGivesNoValues) {
  testing::TempFolder folder;
  TFakeVersionSource source;
  source.Values["CompanyName"] = "Brevimar";
  TGetVersionInfoFromFile info(source);
  info.SetFileName(folder.Write("folverin", "x"));
  ASSERT_EQ(info.VersionStrings.size(), 1u);
  info.SetFileName(folder.Path() + "fehlt");
  EXPECT_EQ(info.fileName(), "");
  EXPECT_TRUE(info.VersionStrings.empty());
  source.HasTranslation = false;
  info.SetFileName(folder.Write("folverin", "x"));
  EXPECT_FALSE(info.fileName().empty());
  EXPECT_TRUE(info.VersionCategories.empty());
}

TEST(VersionInfo, CompiledValuesCarryTheProjectVersion) {
  testing::TempFolder folder;
  TCompiledVersionSource source;
  TGetVersionInfoFromFile info(source);
  info.SetFileName(folder.Write("folverin", "x"));
  EXPECT_EQ(info.VersionStrings.size(), TGetVersionInfoFromFile::QueriedNames().size());
  const AnsiString product = info.GetVersionValue("ProductVersion");
  EXPECT_EQ(info.GetVersionValue("FileVersion"), product + ".0");
  // Three numbers from the build, not the fallback of a build without them.
  EXPECT_NE(product, "0.0.0");
  EXPECT_EQ(std::count(product.begin(), product.end(), '.'), 2);
}

}  // namespace
}  // namespace folverin
