// TAppSettings: everything the settings file beside the program says about
// the collection, and the paths derived from it. Filled once at start-up by
// ReadAppSettings; the main window only applies the returned TSettingsOutcome.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "common/ansi_string.h"

namespace folverin {

// Host UI flags of the embedded browser (the values of the platform's
// DOCHOSTUIFLAG constants).
enum THostUIFlag : unsigned {
  DOCHOSTUIFLAG_NO3DBORDER = 0x00000004,
  DOCHOSTUIFLAG_NO3DOUTERBORDER = 0x00200000,
};

// Start values are those that a reading stopped by an error leaves behind:
// switches off, texts empty, numbers 0.
struct TAppSettings {
  AnsiString AppFolder;      // folder of the program file, ends in the separator
  AnsiString SettingsFile;
  AnsiString Title;
  AnsiString DocFolder;      // ends in the separator
  AnsiString StartDocument;
  AnsiString SearchPage;     // TempDir + "@SEARCH@.HTM" (empty without TempDir)
  bool ShowToolbar = false;
  bool ShowURLs = false;
  bool ShowFavorites = false;
  bool ShowHistory = false;
  unsigned HostUIOptions = 0;
  bool AllowNewWindow = false;
  bool ShowIEPopup = false;
  bool AllowOnline = false;
  AnsiString SearchHeader;
  AnsiString SearchFooter;
  AnsiString SearchBody;
  AnsiString SearchBeginEntry;
  AnsiString SearchEndEntry;
  AnsiString SearchTargetWindow;
  bool ShowPerformance = false;
  bool HighlightHits = false;  // hits of a search highlighted in the documents opened from its page
  bool UseExcludePath = false;
  AnsiString ExcludePath;
  AnsiString HelpFile;
  AnsiString IconFile;
  AnsiString StartFolder;    // relative to AppFolder; ends in the separator unless empty
  AnsiString Target;
  int MinWordSize = 0;
  AnsiString IndexFolder;    // no trailing separator
  bool ImmediateUpdate = false;
  bool NoNumbers = false;
  bool HideDocumentColumn = false;
  bool IndexAvailable = false;
  bool ReadOnlyMedium = false;
};

// What the main window needs to know to read the settings: where the program
// is and how big the window and the screen are.
struct TSettingsEnvironment {
  AnsiString ProgramFile;    // full path of the program file (settings file = same name + ".ini")
  AnsiString TempDir;        // the user's private scratch folder, ends in the separator
  int DesignedWidth = 0;     // the main window's size before the settings apply
  int DesignedHeight = 0;
  int ScreenWidth = 0;
  int ScreenHeight = 0;
  // Loads the icon file as the application icon; returns the error message
  // when the file is not a valid icon (which ends the reading like a
  // conversion error). May be empty where no icon can be shown.
  std::function<std::optional<AnsiString>(const AnsiString& iconFile)> LoadIcon;
  // False for a reader without menus (folverin-cli's search, index and
  // lookup): the help, icon and tools files are not looked for, and the
  // outcome's items for them keep their defaults. In a large collection
  // folder without them, each look costs a listing of the whole folder.
  bool TestMenuFiles = true;
};

// What the main window must do after the reading. Menu visibilities are
// nothing where the reading did not get to them: the item keeps its
// designed visibility.
struct TSettingsOutcome {
  AnsiString Caption;                  // application title and main window caption
  bool EnterFullScreen = false;        // ShowFullScreen was on
  int Width = 0;                       // main window size to apply
  int Height = 0;
  std::optional<bool> ToolsMenuVisible;
  bool ToolsFilePresent = false;       // PLUGIN32/PLUGIN32.TXT exists: build the Tools menu from it
  AnsiString ToolsFile;
  bool LoadIcon = false;               // IconFile exists
  std::optional<bool> HelpIndexVisible;
  std::optional<bool> IndexSearchVisible;
  std::optional<bool> CreateIndexVisible;
  std::optional<bool> WindowSizeVisible;
  std::optional<AnsiString> ErrorMessage;  // for the standard error box (full stop not yet added)
};

struct TSettingsResult {
  TAppSettings Settings;
  TSettingsOutcome Outcome;
};

TSettingsResult ReadAppSettings(const TSettingsEnvironment& environment);

// The platform's string-to-integer conversion: a signed decimal integer, or
// hexadecimal after a leading "$", in the range of a 32-bit int.
std::optional<int> ParseInteger(std::string_view text);
// "'%s' ist kein gültiger Integerwert" for the value.
AnsiString NotAnIntegerMessage(std::string_view value);

// Whether all three index files exist in the index folder (tested in the
// order Link.iDB, Keyword.iDB, File.iDB).
bool IndexFilesExist(std::string_view indexFolder);

}  // namespace folverin
