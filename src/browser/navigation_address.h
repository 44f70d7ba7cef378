// How a browser window reads an address it is told to open (typed into the
// address box, chosen from the recently used list, the start document of the
// settings, the result page of a search) and which frame targets mean the
// window's whole page. The web view turns the result into its own form.
#pragma once

#include <string>
#include <string_view>

namespace folverin {

enum class TAddressForm {
  LocalPath,   // begins with "/": a file or folder on this machine
  WithScheme,  // begins with a scheme of two characters or more ("file:",
               // "http:", "search-internal:", "about:"): taken as written
  Relative,    // anything else: a path relative to the current folder, or
               // a host name without a scheme
};

struct TAddress {
  TAddressForm Form = TAddressForm::Relative;
  std::u16string Text;  // without the blanks and line ends around it
};

// A scheme is what RFC 3986 allows before the first ":" (a letter, then
// letters, digits, "+", "-" or "."), with no "/", "?" or "#" before that
// ":". One letter is no scheme but a drive ("C:\cd\a.htm", as collections
// written on Windows have them), so such an address is Relative.
TAddress InterpretAddress(std::u16string_view address);

// The address the engine reports for a navigation, as the link's author
// wrote it: every "%" followed by two hexadecimal digits becomes the byte
// they name (any other "%" stays), and the bytes are read as UTF-8 when
// they are valid UTF-8, otherwise as Windows-1252, the code page of the
// collections' pages: "%FC" and "%C3%BC" both give "ü". "+" stays "+".
std::u16string DecodedNavigationAddress(std::string_view encoded);

// Whether a frame target names the whole page rather than a frame in it: no
// name, "_self", "_parent" or "_top", in any letter case.
bool IsWholeWindowTarget(std::u16string_view frameName);

}  // namespace folverin
