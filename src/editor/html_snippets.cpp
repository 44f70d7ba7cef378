#include "editor/html_snippets.h"

#include "common/path_parts.h"
#include "common/relative_path.h"
#include "common/separators.h"

namespace folverin {

std::optional<AnsiString> WrapSelection(TWrapCommand command, std::string_view selected) {
  if (selected.empty()) return std::nullopt;
  switch (command) {
    case TWrapCommand::Bold: return "<B>" + AnsiString(selected) + "</B>";
    case TWrapCommand::Italic: return "<I>" + AnsiString(selected) + "</I>";
    case TWrapCommand::Comment: return "<!-- " + AnsiString(selected) + " -->";
  }
  return std::nullopt;
}

AnsiString RelativeLinkPath(std::string_view editedFile, std::string_view target, TPathFlavour flavour) {
  AnsiString relative = flavour == TPathFlavour::Windows
                            ? MakeRelativePathWindows(FolderOfWrittenPath(editedFile), target)
                            : MakeRelativePath(FolderOfPath(editedFile), target);
  // Native paths have "/" already, and a "\" there is part of a name.
  if (flavour == TPathFlavour::Windows) BackslashToSlash(relative);
  return relative;
}

AnsiString LinkSnippet(std::string_view relativePath, std::string_view description, std::string_view lineEnding) {
  AnsiString snippet = "<A HREF =\"";
  snippet += relativePath;
  snippet += "\">";
  snippet += description;
  snippet += "</A>";
  snippet += lineEnding;
  return snippet;
}

AnsiString PictureSnippet(std::string_view relativePath, std::string_view description,
                          std::string_view alignment, std::string_view lineEnding) {
  AnsiString snippet = "<IMG SRC=\"";
  snippet += relativePath;
  snippet += "\" ALT=\"";
  snippet += description;
  snippet += "\" ALIGN=";
  snippet += alignment;
  snippet += ">";
  snippet += lineEnding;
  return snippet;
}

AnsiString LinkPrompt(std::string_view fileName) {
  return "Beschreibung f\xFCr " + AnsiString(fileName) + " eingeben:";
}

AnsiString PicturePrompt(std::string_view fileName) {
  return "Beschreibung (ALT=\"\") f\xFCr " + AnsiString(fileName) + " eingeben:";
}

}  // namespace folverin
