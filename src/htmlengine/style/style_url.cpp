#include "htmlengine/style/style_url.h"

#include <vector>

#include "common/url_decode.h"

namespace folverin {

namespace {

AnsiString LocalPath(std::string_view address, std::string_view base, TStylePathForm form) {
  AnsiString path = DecodeURL(address);
  bool windows = form == TStylePathForm::Windows;
  if (path.starts_with("file:///") && windows) path.erase(0, 8);
  else if (path.starts_with("file://")) path.erase(0, 7);
  for (char& c : path) {
    if (c == '|') c = ':';
    if (c == '/' && windows) c = '\\';
  }
  const char separator = windows ? '\\' : '/';
  bool absolute = windows ? (path.size() > 1 && path[1] == ':') || path.starts_with("\\\\")
                          : path.starts_with("/");
  if (absolute) return path;
  AnsiString folder(base);
  if (!folder.empty() && folder.back() != separator) folder += separator;
  return folder + path;
}

bool IsAbsoluteWebAddress(std::string_view address) {
  if (address.find("mailto:") != std::string_view::npos) return true;
  std::string_view beforeQuery = address.substr(0, address.find('?'));
  size_t scheme = beforeQuery.find("://");
  return scheme != std::string_view::npos && scheme < beforeQuery.find('/');
}

// Removes "./" segments and each "../" with the segment before it.
AnsiString RemoveDotSegments(std::string_view path) {
  std::vector<std::string_view> segments;
  while (true) {
    size_t slash = path.find('/');
    std::string_view segment = path.substr(0, slash);
    bool last = slash == std::string_view::npos;
    if (segment == "..") {
      if (!segments.empty()) segments.pop_back();
      if (last) segments.push_back("");
    } else if (segment == ".") {
      if (last) segments.push_back("");
    } else {
      segments.push_back(segment);
    }
    if (last) break;
    path.remove_prefix(slash + 1);
  }
  AnsiString result;
  for (size_t i = 0; i < segments.size(); ++i) {
    if (i > 0) result += '/';
    result += segments[i];
  }
  return result;
}

}  // namespace

AnsiString CombineWebAddress(std::string_view base, std::string_view relative) {
  size_t scheme = base.find("://");
  if (scheme == std::string_view::npos) return AnsiString(base) + AnsiString(relative);
  size_t hostStart = scheme + 3;
  size_t pathStart = base.find('/', hostStart);
  std::string_view root = base.substr(0, pathStart);  // scheme://host
  if (relative.starts_with("//")) return AnsiString(base.substr(0, scheme + 1)) + AnsiString(relative);
  AnsiString path;
  if (relative.starts_with("/")) {
    path = AnsiString(relative.substr(1));
  } else {
    std::string_view folder =
        pathStart == std::string_view::npos ? std::string_view() : base.substr(pathStart + 1);
    folder = folder.substr(0, folder.rfind('/') + 1);
    path = AnsiString(folder) + AnsiString(relative);
  }
  return AnsiString(root) + "/" + RemoveDotSegments(path);
}

AnsiString ResolveStyleUrl(std::string_view value, std::string_view base, TStylePathForm form) {
  size_t open = value.find("url(");
  if (open == std::string_view::npos) return AnsiString(value);
  size_t close = value.find(')', open);
  size_t end = close == std::string_view::npos ? value.size() : close + 1;
  std::string_view address = value.substr(open + 4, (close == std::string_view::npos
                                                         ? value.size() : close) - open - 4);
  if (address.size() > 2 && (address[0] == '"' || address[0] == '\''))
    address = address.substr(1, address.size() - 2);
  AnsiString resolved;
  if (base.find("://") == std::string_view::npos) resolved = LocalPath(address, base, form);
  else if (IsAbsoluteWebAddress(address)) resolved = AnsiString(address);
  else resolved = CombineWebAddress(base, address);
  return AnsiString(value.substr(0, open)) + "url(" + resolved + ")" +
         AnsiString(value.substr(end));
}

}  // namespace folverin
