#include "browser/navigation_address.h"

#include <gtest/gtest.h>

#include <string>

namespace folverin {
namespace {

using F = TAddressForm;

std::string Narrow(std::u16string_view text) {
  std::string out;
  for (char16_t c : text) out += c < 0x80 ? static_cast<char>(c) : '?';
  return out;
}

TEST(NavigationAddress, FormOfTheAddress) {
  const struct {
    std::u16string_view Address;
    TAddressForm Form;
  } kRows[] = {
      {u"/cd/kapitel.htm", F::LocalPath},
      {u"/", F::LocalPath},
      {u"//host/share", F::LocalPath},
      {u"http://example.org/a.htm", F::WithScheme},
      {u"HTTP://EXAMPLE.ORG", F::WithScheme},
      {u"file:///cd/kapitel.htm", F::WithScheme},
      {u"search-internal:?q=Apfel", F::WithScheme},
      {u"about:blank", F::WithScheme},
      {u"javascript:void(0)", F::WithScheme},
      {u"mailto:leser@example.org", F::WithScheme},
      {u"x1+-.:rest", F::WithScheme},
      {u"ab:", F::WithScheme},
      // One letter before ":" is a drive, not a scheme.
      {u"C:\\cd\\kapitel.htm", F::Relative},
      {u"c:/cd/kapitel.htm", F::Relative},
      {u"kapitel.htm", F::Relative},
      {u"kapitel.htm?x=1", F::Relative},
      {u"example.org", F::Relative},
      {u"noname", F::Relative},
      {u"", F::Relative},
      // What may not stand in a scheme, or comes before its ":".
      {u"a/b:c", F::Relative},
      {u"a?b:c", F::Relative},
      {u"a#b:c", F::Relative},
      {u"1ab:c", F::Relative},
      {u"+ab:c", F::Relative},
      {u"a_b:c", F::Relative},
      {u"a b:c", F::Relative},
      {u"\u00E4b:c", F::Relative},
      {u":ab", F::Relative},
  };
  for (const auto& row : kRows) {
    SCOPED_TRACE(Narrow(row.Address));
    const TAddress address = InterpretAddress(row.Address);
    EXPECT_EQ(address.Form, row.Form);
    EXPECT_EQ(address.Text, row.Address);
  }
}

TEST(NavigationAddress, BlanksAndLineEndsAroundTheAddressGo) {
  TAddress address = InterpretAddress(u" \t/cd/ein Kapitel.htm\r\n");
  EXPECT_EQ(address.Form, F::LocalPath);
  EXPECT_EQ(address.Text, u"/cd/ein Kapitel.htm");
  // Pasted text brings other spaces along.
  address = InterpretAddress(u"\u00A0\u3000http://example.org/\u2028\u2003");
  EXPECT_EQ(address.Form, F::WithScheme);
  EXPECT_EQ(address.Text, u"http://example.org/");
  EXPECT_EQ(InterpretAddress(u" \t\r\n ").Text, u"");
  // A control character is no blank: it stays, and the address has no scheme.
  address = InterpretAddress(u"\x01http://example.org/");
  EXPECT_EQ(address.Form, F::Relative);
  EXPECT_EQ(address.Text, u"\x01http://example.org/");
}

TEST(NavigationAddress, WholeWindowTargets) {
  for (const std::u16string_view name : {u"", u"_self", u"_SELF", u"_Parent", u"_top", u"_toP"}) {
    SCOPED_TRACE(Narrow(name));
    EXPECT_TRUE(IsWholeWindowTarget(name));
  }
  for (const std::u16string_view name :
       {u"inhalt", u"_blank", u"_tops", u" _top", u"self", u"top", u"_s\u00E9lf"}) {
    SCOPED_TRACE(Narrow(name));
    EXPECT_FALSE(IsWholeWindowTarget(name));
  }
}

// Pages in Windows-1252 escape "\u00FC" as %FC, scripts and UTF-8 pages as
// %C3%BC: both are the same letter to the search.
TEST(NavigationAddress, EscapesAreReadAsUtf8OrElseAsWindows1252) {
  EXPECT_EQ(DecodedNavigationAddress("search-internal:?q=Gem%FCse"), u"search-internal:?q=Gem\u00FCse");
  EXPECT_EQ(DecodedNavigationAddress("search-internal:?q=Gem%C3%BCse"), u"search-internal:?q=Gem\u00FCse");
  EXPECT_EQ(DecodedNavigationAddress("search-internal:?q=Gem%c3%bcse%20AND%20x"),
            u"search-internal:?q=Gem\u00FCse AND x");
  // One byte that is not UTF-8 makes the whole address Windows-1252.
  EXPECT_EQ(DecodedNavigationAddress("%C3%BC%80"), u"\u00C3\u00BC\u20AC");
  // "+" is a character of file names; a "%" without two hex digits stays.
  EXPECT_EQ(DecodedNavigationAddress("a+b%2Bc%zz%4"), u"a+b+c%zz%4");
  EXPECT_EQ(DecodedNavigationAddress("%"), u"%");
}

}  // namespace
}  // namespace folverin
