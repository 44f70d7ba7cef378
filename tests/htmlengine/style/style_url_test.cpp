#include "htmlengine/style/style_url.h"

#include <gtest/gtest.h>

namespace folverin {
namespace {

AnsiString Windows(std::string_view value, std::string_view base) {
  return ResolveStyleUrl(value, base, TStylePathForm::Windows);
}

TEST(StyleUrl, WindowsFolders) {
  EXPECT_EQ(Windows("url(bg.gif)", "C:\\Site\\css\\"), "url(C:\\Site\\css\\bg.gif)");
  EXPECT_EQ(Windows("url('img/a%20b.gif')", "C:\\Site\\css\\"), "url(C:\\Site\\css\\img\\a b.gif)");
  EXPECT_EQ(Windows("url(file:///d|/x.gif)", "C:\\Site\\"), "url(d:\\x.gif)");
  EXPECT_EQ(Windows("url(\\\\server\\x.gif)", "C:\\Site\\"), "url(\\\\server\\x.gif)");
  EXPECT_EQ(Windows("url(e:/pics/x.gif) no-repeat", "C:\\"), "url(e:\\pics\\x.gif) no-repeat");
}

TEST(StyleUrl, NativeFolders) {
  EXPECT_EQ(ResolveStyleUrl("url(\"bg.gif\")", "/site/css/"), "url(/site/css/bg.gif)");
  EXPECT_EQ(ResolveStyleUrl("url(bg.gif)", "/site/css"), "url(/site/css/bg.gif)");
  EXPECT_EQ(ResolveStyleUrl("url(/abs/x.gif)", "/site/"), "url(/abs/x.gif)");
  EXPECT_EQ(ResolveStyleUrl("url(file:///abs/x.gif)", "/site/"), "url(/abs/x.gif)");
  EXPECT_EQ(ResolveStyleUrl("url('')", "/site/"), "url(/site/'')");  // too short to unquote
  EXPECT_EQ(ResolveStyleUrl("none", "/site/"), "none");
}

TEST(StyleUrl, WebAddresses) {
  const char* base = "http://host.org/css/";
  EXPECT_EQ(ResolveStyleUrl("url(bg.gif)", base), "url(http://host.org/css/bg.gif)");
  EXPECT_EQ(ResolveStyleUrl("url(../img/bg.gif)", base), "url(http://host.org/img/bg.gif)");
  EXPECT_EQ(ResolveStyleUrl("url(./a/./b.gif)", base), "url(http://host.org/css/a/b.gif)");
  EXPECT_EQ(ResolveStyleUrl("url(/bg.gif)", base), "url(http://host.org/bg.gif)");
  EXPECT_EQ(ResolveStyleUrl("url(//cdn.org/bg.gif)", base), "url(http://cdn.org/bg.gif)");
  EXPECT_EQ(ResolveStyleUrl("url(ftp://x.org/a.gif)", base), "url(ftp://x.org/a.gif)");
  EXPECT_EQ(ResolveStyleUrl("url(a.gif?u=http://x)", base), "url(http://host.org/css/a.gif?u=http://x)");
  EXPECT_EQ(ResolveStyleUrl("url(mailto:a@b.org)", base), "url(mailto:a@b.org)");
  EXPECT_EQ(CombineWebAddress("http://host.org", "../../x.gif"), "http://host.org/x.gif");
}

}  // namespace
}  // namespace folverin
