#include "common/path_parts.h"

#include "common/file_system.h"

namespace folverin {

namespace {

AnsiString UpToAndWith(std::string_view path, size_t separator) {
  return separator == std::string_view::npos ? AnsiString() : AnsiString(path.substr(0, separator + 1));
}

}  // namespace

AnsiString FolderOfPath(std::string_view path) { return UpToAndWith(path, path.rfind(kPathDelim)); }

std::string_view NameOfPath(std::string_view path) {
  const size_t slash = path.rfind(kPathDelim);
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

AnsiString FolderOfWrittenPath(std::string_view path) { return UpToAndWith(path, path.find_last_of("/\\")); }

AnsiString WithTrailingSeparator(AnsiString value) {
  if (!value.empty() && !IsPathSeparator(value.back())) value += kPathDelim;
  return value;
}

std::string_view FileExtension(std::string_view path) {
  const size_t dot = path.rfind('.');
  if (dot == std::string_view::npos) return {};
  const size_t slash = path.rfind(kPathDelim);
  if (slash != std::string_view::npos && slash > dot) return {};
  return path.substr(dot);
}

AnsiString ChangeFileExt(std::string_view path, std::string_view extension) {
  const size_t slash = path.find_last_of("/\\");
  const size_t dot = path.rfind('.');
  const bool hasExtension = dot != std::string_view::npos && (slash == std::string_view::npos || dot > slash);
  return AnsiString(path.substr(0, hasExtension ? dot : path.size())) + AnsiString(extension);
}

}  // namespace folverin
