#include "htmlengine/view/document_name.h"

#include <filesystem>
#include <system_error>

#include "common/file_system.h"
#include "common/file_url.h"
#include "common/path_parts.h"
#include "common/windows1252.h"

namespace folverin {

namespace {

bool StartsWithFileScheme(std::string_view name) {
  return name.size() >= 7 && SameText(name.substr(0, 7), "file://");
}

// "://" after the first character, and not a file address.
bool IsOtherSchemeAddress(std::string_view name) {
  const size_t scheme = name.find("://");
  return scheme != std::string_view::npos && scheme >= 1 &&
         LowerCase(name).find("file://") == std::string_view::npos;
}

AnsiString FileAddressToPath(std::string_view address) {
  // The path helper only knows the lower-case scheme.
  return FileURLToPath("file://" + AnsiString(address.substr(7)));
}

AnsiString ToFilePath(std::string_view name, const AnsiString& serverRoot) {
  if (StartsWithFileScheme(name)) return FileAddressToPath(name);
  AnsiString path = ToNativeSeparators(name);
  if (!path.empty() && path.front() == kPathDelim && !serverRoot.empty()) path = serverRoot + path;
  return path;
}

AnsiString WorkingFolder() {
  std::error_code error;
  const std::string folder = std::filesystem::current_path(error).string();
  if (error) return "/";
  const auto ansi = Utf8ToAnsiExact(folder);
  return (ansi ? *ansi : AnsiString(folder)) + kPathDelim;
}

}  // namespace

AnsiString ExpandFileName(std::string_view name) {
  AnsiString path(name);
  if (path.empty() || path.front() != kPathDelim) path = WorkingFolder() + path;
  return std::filesystem::path(path).lexically_normal().string();
}

AnsiString ExpandDocumentAddress(const AnsiString& name, const TDocumentNameBase& base) {
  if (IsOtherSchemeAddress(name)) return name;
  const AnsiString path = ToFilePath(Trim(name), base.ServerRoot);
  if (!path.empty() && path.front() == kPathDelim) return ExpandFileName(path);
  if (SameText(base.DocumentBase, "DosPath")) return ExpandFileName(path);
  const AnsiString& from = base.DocumentBase.empty() ? base.LoadedFile : base.DocumentBase;
  // A base on a web server keeps the address for the handlers of that scheme.
  if (IsOtherSchemeAddress(from)) return FolderOfPath(from) + path;
  const AnsiString folder =
      FolderOfPath(StartsWithFileScheme(from) ? FileAddressToPath(from) : ToNativeSeparators(from));
  return ExpandFileName(folder + path);
}

}  // namespace folverin
