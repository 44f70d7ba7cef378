#include "editor/url_collection.h"

#include "editor/html_snippets.h"

namespace folverin {

AnsiString CollectUrls(std::string_view editedFile, std::string_view folder, std::string_view lineEnding,
                       TFileSearch& search) {
  AnsiString start(folder);
  // The root stays "/", so that its pattern is "/*.*".
  while (start.size() > 1 && start.back() == '/') start.pop_back();
  if (start == "/") start.clear();
  AnsiString lines;
  search.RecurseSubFolders = true;
  search.SetSearchFile(start + "/*.*");
  search.OnFileFind = [&](const AnsiString& fullpath, TSearchRec info) {
    if ((info.Attr & faArchive) == 0) return;
    lines += LinkSnippet(RelativeLinkPath(editedFile, fullpath + info.Name), "", lineEnding);
    lines += "\r\n";
  };
  search.Execute();
  search.OnFileFind = nullptr;
  return lines;
}

}  // namespace folverin
