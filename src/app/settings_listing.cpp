#include "app/settings_listing.h"

namespace folverin {

namespace {
const char* YesNo(bool value) { return value ? "YES" : "NO"; }
}  // namespace

AnsiString HostUIOptionsText(unsigned options) {
  AnsiString text;
  auto add = [&text](const char* name) {
    if (!text.empty()) text += '+';
    text += name;
  };
  if (options & DOCHOSTUIFLAG_NO3DBORDER) add("NO3DBORDER");
  if (options & DOCHOSTUIFLAG_NO3DOUTERBORDER) add("NO3DOUTERBORDER");
  return text;
}

std::vector<std::pair<std::string, AnsiString>> ListSettings(const TAppSettings& s) {
  return {
      {"AppFolder", s.AppFolder},
      {"SettingsFile", s.SettingsFile},
      {"Title", s.Title},
      {"DocFolder", s.DocFolder},
      {"StartDocument", s.StartDocument},
      {"SearchPage", s.SearchPage},
      {"ShowToolbar", YesNo(s.ShowToolbar)},
      {"ShowURLs", YesNo(s.ShowURLs)},
      {"ShowFavorites", YesNo(s.ShowFavorites)},
      {"ShowHistory", YesNo(s.ShowHistory)},
      {"HostUIOptions", HostUIOptionsText(s.HostUIOptions)},
      {"AllowNewWindow", YesNo(s.AllowNewWindow)},
      {"ShowIEPopup", YesNo(s.ShowIEPopup)},
      {"AllowOnline", YesNo(s.AllowOnline)},
      {"SearchHeader", s.SearchHeader},
      {"SearchFooter", s.SearchFooter},
      {"SearchBody", s.SearchBody},
      {"SearchBeginEntry", s.SearchBeginEntry},
      {"SearchEndEntry", s.SearchEndEntry},
      {"SearchTargetWindow", s.SearchTargetWindow},
      {"ShowPerformance", YesNo(s.ShowPerformance)},
      {"HighlightHits", YesNo(s.HighlightHits)},
      {"UseExcludePath", YesNo(s.UseExcludePath)},
      {"ExcludePath", s.ExcludePath},
      {"HelpFile", s.HelpFile},
      {"IconFile", s.IconFile},
      {"StartFolder", s.StartFolder},
      {"Target", s.Target},
      {"MinWordSize", std::to_string(s.MinWordSize)},
      {"IndexFolder", s.IndexFolder},
      {"ImmediateUpdate", YesNo(s.ImmediateUpdate)},
      {"NoNumbers", YesNo(s.NoNumbers)},
      {"HideDocumentColumn", YesNo(s.HideDocumentColumn)},
      {"IndexAvailable", YesNo(s.IndexAvailable)},
      {"ReadOnlyMedium", YesNo(s.ReadOnlyMedium)},
  };
}

}  // namespace folverin
