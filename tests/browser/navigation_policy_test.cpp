#include "browser/navigation_policy.h"

#include <gtest/gtest.h>

namespace folverin {
namespace {

using A = TNavigationAction;

const TNavigationSwitches kDefaults{};
const TNavigationSwitches kOffline{false, true, true};

TEST(NavigationPolicy, BlankPageAndHtmlDocumentsPass) {
  EXPECT_EQ(DecideNavigation("about:blank", kOffline).Action, A::Pass);
  EXPECT_EQ(DecideNavigation("  ABOUT:BLANK \t", kOffline).Action, A::Pass);
  EXPECT_EQ(DecideNavigation("/cd/kapitel.htm", kOffline).Action, A::Pass);
  EXPECT_EQ(DecideNavigation("file:///cd/Kapitel.HTML", kOffline).Action, A::Pass);
  EXPECT_EQ(DecideNavigation("/cd/a.b/kapitel.htm", kOffline).Action, A::Pass);
}

TEST(NavigationPolicy, OnlineAddressesAndFragmentsFollowAllowOnline) {
  for (const char* address : {"HTTP://www.example.org/", "https://x.org/a.pdf", "ftp://host/file",
                              "mailto:leser@example.org", "/cd/kapitel.htm#abschnitt", "#oben"}) {
    SCOPED_TRACE(address);
    EXPECT_EQ(DecideNavigation(address, kDefaults).Action, A::Pass);
    EXPECT_EQ(DecideNavigation(address, kOffline).Action, A::RefuseBeep);
  }
  // The fragment rule comes before the search rule.
  EXPECT_EQ(DecideNavigation("search-internal:?q=a#b", kOffline).Action, A::RefuseBeep);
}

TEST(NavigationPolicy, SearchPseudoAddress) {
  auto d = DecideNavigation("search-internal:?q=Suche", kDefaults);
  EXPECT_EQ(d.Action, A::RunSearch);
  EXPECT_EQ(d.Query, "suche");
  // Without "=" the whole lower-cased address is the query, scheme included.
  d = DecideNavigation("Search-Internal:Suche", kDefaults);
  EXPECT_EQ(d.Action, A::RunSearch);
  EXPECT_EQ(d.Query, "search-internal:suche");
  EXPECT_EQ(DecideNavigation("search-internal:?q=", kDefaults).Action, A::RefuseBeep);
  EXPECT_EQ(DecideNavigation("search-internal:?q=   ", kDefaults).Action, A::RefuseBeep);
  // Only the first "=" after the scheme splits; nothing is decoded.
  d = DecideNavigation("search-internal:?q=a=b%20c AND \"x y\"  ", kDefaults);
  EXPECT_EQ(d.Query, "a=b%20c and \"x y\"");
  d = DecideNavigation("search-internal:?q=gr&ouml;&szlig;e", kDefaults);
  EXPECT_EQ(d.Query, "gr&ouml;&szlig;e");
}

TEST(NavigationPolicy, OtherDocumentsGoToTheShellAsReported) {
  for (const char* address : {"/cd/Handbuch.PDF", "/cd/Bilder/", "javascript:void(0)", "about:config",
                              "/cd/seite.htm?x=1", "/cd/programm", "C:\\cd\\a.htm\\x"}) {
    SCOPED_TRACE(address);
    const auto d = DecideNavigation(address, kDefaults);
    EXPECT_EQ(d.Action, A::ShellOpen);
    EXPECT_EQ(d.Target, address);
  }
  // The shell gets the address untrimmed and in its own letter case.
  EXPECT_EQ(DecideNavigation(" /cd/A.pdf ", kDefaults).Target, " /cd/A.pdf ");
}

TEST(NavigationPolicy, ExtensionRule) {
  EXPECT_EQ(NavigationExtension("/a/b.htm"), ".htm");
  EXPECT_EQ(NavigationExtension("/a.d/b"), ".d/b");  // "/" does not end it
  EXPECT_EQ(NavigationExtension("c:\\a.htm\\b"), "");
  EXPECT_EQ(NavigationExtension("x.htm:1"), "");
  EXPECT_EQ(NavigationExtension("ohne"), "");
}

TEST(NavigationPolicy, HugeAndControlCharacterAddresses) {
  const std::string huge = "/cd/" + std::string(100000, 'a') + ".htm";
  EXPECT_EQ(DecideNavigation(huge, kOffline).Action, A::Pass);
  const std::string control = std::string("\x01\x02/cd/a.htm\x1f\n", 14);
  EXPECT_EQ(DecideNavigation(control, kOffline).Action, A::Pass);
  const std::string bigQuery = "search-internal:?q=" + std::string(100000, 'w');
  EXPECT_EQ(DecideNavigation(bigQuery, kDefaults).Query.size(), 100000u);
  EXPECT_EQ(DecideNavigation("", kDefaults).Action, A::ShellOpen);
}

TEST(NavigationPolicy, NewWindowAndContextMenu) {
  EXPECT_EQ(DecideNewWindow(kDefaults), TNewWindowPlacement::NewWindow);
  EXPECT_EQ(DecideNewWindow({true, false, true}), TNewWindowPlacement::SameWindow);
  EXPECT_EQ(DecideContextMenu(true, kDefaults), TContextMenuChoice::EngineMenu);
  EXPECT_EQ(DecideContextMenu(false, kDefaults), TContextMenuChoice::OwnMenu);
  EXPECT_EQ(DecideContextMenu(true, {true, true, false}), TContextMenuChoice::OwnMenu);
}

}  // namespace
}  // namespace folverin
