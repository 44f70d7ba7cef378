#include "app/app_settings.h"

#include <algorithm>
#include <climits>

#include "common/file_system.h"
#include "common/path_parts.h"
#include "common/profile_reader.h"

namespace folverin {

namespace {

constexpr const char* kNotAnInteger = "'%s' ist kein g\xFCltiger Integerwert";

// A value that is not an integer ends the reading at its key.
struct TConversionError {
  AnsiString Message;
};

bool IsSwitchOn(std::string_view value) { return UpperCase(value) == "YES"; }

// A value written in the collection may use "\" or "/" between folders.
AnsiString RemoveLeadingSeparator(AnsiString value) {
  if (!value.empty() && IsPathSeparator(value.front())) value.erase(0, 1);
  return value;
}

// The program is on a read-only medium when its file cannot be written. With
// --collection the program file is only assumed to be there; then the
// collection folder decides.
bool IsOnReadOnlyMedium(std::string_view programFile) {
  // The program's own path is exact; a missing one (folverin-cli and
  // --collection name a program file in the collection folder) is not
  // looked for in other letter cases, which would list the whole folder.
  if (FileExistsExactly(programFile)) return !IsWritable(programFile);
  return !IsWritable(FolderOfPath(programFile));
}

class TSettingsReader {
 public:
  TSettingsReader(const TSettingsEnvironment& environment, TSettingsResult& result)
      : env_(environment), s_(result.Settings), out_(result.Outcome) {}

  void Read();

 private:
  AnsiString Text(const char* section, const char* key, const char* defaultValue) const {
    return profile_.ReadString(section, key, defaultValue);
  }
  bool Switch(const char* section, const char* key, const char* defaultValue) const {
    return IsSwitchOn(Text(section, key, defaultValue));
  }
  int Integer(const char* section, const char* key, const char* defaultValue) const {
    const AnsiString value = Text(section, key, defaultValue);
    const auto number = ParseInteger(value);
    if (!number) throw TConversionError{NotAnIntegerMessage(value)};
    return *number;
  }

  void ReadGlobalAndLayout();
  void ReadBrowserSwitches();
  void ReadSearchEngine();
  void ReadHelpAndIcon();
  void TestToolsFile();
  void ReadIndex();
  void TestReadOnlyMedium();

  const TSettingsEnvironment& env_;
  TAppSettings& s_;
  TSettingsOutcome& out_;
  TProfile profile_;
};

void TSettingsReader::Read() {
  out_.Caption = "Folverin";
  out_.Width = env_.DesignedWidth;
  out_.Height = env_.DesignedHeight;
  s_.AppFolder = FolderOfPath(env_.ProgramFile);
  // Without a private folder there is no place for the page; the write then
  // fails with a message instead of landing in the current folder.
  s_.SearchPage = env_.TempDir.empty() ? AnsiString() : env_.TempDir + "@SEARCH@.HTM";
  s_.SettingsFile = ChangeFileExt(env_.ProgramFile, ".ini");
  profile_ = TProfile::FromFile(s_.SettingsFile);
  try {
    ReadGlobalAndLayout();
    ReadBrowserSwitches();
    ReadSearchEngine();
    ReadHelpAndIcon();
    TestToolsFile();
    ReadIndex();
    TestReadOnlyMedium();
  } catch (const TConversionError& error) {
    out_.ErrorMessage = error.Message;
  }
}

void TSettingsReader::ReadGlobalAndLayout() {
  s_.Title = Text("Global", "Title", "Folverin");
  out_.Caption = s_.Title;
  Integer("Global", "Window", "2");  // must be an integer, nothing more
  s_.ShowFavorites = Switch("Layout", "ShowFavorites", "NO");
  s_.ShowURLs = Switch("Layout", "ShowURLs", "NO");
  s_.ShowHistory = Switch("Layout", "ShowHistory", "NO");

  AnsiString folder = RemoveLeadingSeparator(Trim(Text("Global", "Folder", "")));
  s_.DocFolder = s_.AppFolder + ToNativeSeparators(WithTrailingSeparator(folder));
  // Only trimmed: a leading separator stays and gives two in a row, which
  // the file system accepts.
  s_.StartDocument = s_.DocFolder + ToNativeSeparators(Trim(Text("Global", "Document", "")));

  if (UpperCase(Text("Layout", "ShowBorder", "NO")) == "NO")
    s_.HostUIOptions = DOCHOSTUIFLAG_NO3DBORDER | DOCHOSTUIFLAG_NO3DOUTERBORDER;
  s_.ShowToolbar = Switch("Layout", "ShowToolbar", "YES");
  if (Switch("Layout", "ShowFullScreen", "NO")) {
    // The full-screen toggle runs now, before any browser window exists,
    // and switches the toolbar off.
    out_.EnterFullScreen = true;
    s_.ShowToolbar = false;
  }

  const int width = Integer("Global", "Width", "-1");
  if (width != -1) out_.Width = width;
  const int height = Integer("Global", "Height", "-1");
  if (height != -1) out_.Height = height;
  if (out_.Width >= env_.ScreenWidth && out_.Height >= env_.ScreenHeight) {
    out_.Width = 640;
    out_.Height = 480;
  }
}

void TSettingsReader::ReadBrowserSwitches() {
  s_.AllowNewWindow = Switch("IE", "AllowNewWindow", "YES");
  s_.ShowIEPopup = Switch("IE", "ShowIEPopup", "YES");
  s_.AllowOnline = Switch("IE", "AllowOnline", "YES");
}

void TSettingsReader::ReadSearchEngine() {
  s_.SearchHeader = Text("SearchEngine", "header", "");
  s_.SearchFooter = Text("SearchEngine", "footer", "");
  s_.SearchBody = Text("SearchEngine", "body", "<BODY>");
  s_.SearchBeginEntry = Text("SearchEngine", "begin_entry", "");
  s_.SearchEndEntry = Text("SearchEngine", "end_entry", "");
  s_.SearchTargetWindow = Text("SearchEngine", "target_window", "");
  s_.ShowPerformance = Text("SearchEngine", "ShowPerformance", "0") == "1";
  s_.HighlightHits = Switch("SearchEngine", "HighlightHits", "YES");

  const AnsiString exclude = Trim(UpperCase(Text("SearchEngine", "ExcludePath", "")));
  if (exclude.empty()) return;
  const AnsiString path = s_.AppFolder + ToNativeSeparators(RemoveLeadingSeparator(exclude));
  if (DirectoryExists(path)) {
    s_.UseExcludePath = true;
    s_.ExcludePath = path;
  }
}

void TSettingsReader::ReadHelpAndIcon() {
  s_.HelpFile = s_.AppFolder + ToNativeSeparators(Text("Global", "Help", ""));
  s_.IconFile = s_.AppFolder + ToNativeSeparators(Text("Global", "Icon", ""));
  if (!env_.TestMenuFiles) return;
  out_.HelpIndexVisible = FileExists(s_.HelpFile);
  if (FileExists(s_.IconFile)) {
    out_.LoadIcon = true;
    if (env_.LoadIcon) {
      if (auto error = env_.LoadIcon(s_.IconFile)) throw TConversionError{*error};
    }
  }
}

void TSettingsReader::TestToolsFile() {
  out_.ToolsFile = s_.AppFolder + "PLUGIN32" + kPathDelim + "PLUGIN32.TXT";
  if (!env_.TestMenuFiles) return;
  out_.ToolsFilePresent = FileExists(out_.ToolsFile);
  if (!out_.ToolsFilePresent) out_.ToolsMenuVisible = false;
}

void TSettingsReader::ReadIndex() {
  s_.IndexAvailable = false;
  s_.StartFolder = ToNativeSeparators(WithTrailingSeparator(Text("Index", "StartFolder", "")));
  s_.Target = Text("Index", "Target", "_parent");
  // A minimum word size below 1 would let empty words into the index; it is
  // taken as 1.
  s_.MinWordSize = std::max(1, Integer("Index", "MinWordSize", "4"));
  s_.IndexFolder = s_.AppFolder + ToNativeSeparators(Text("Index", "Folder", "Index"));
  s_.ImmediateUpdate = Switch("Index", "ImmediateUpdate", "YES");
  s_.NoNumbers = Switch("Index", "NoNumbers", "NO");
  if (DirectoryExists(s_.IndexFolder)) {
    s_.IndexAvailable = IndexFilesExist(s_.IndexFolder);
    s_.HideDocumentColumn = Switch("Index", "HideDocumentColumn", "NO");
    if (s_.IndexAvailable) out_.IndexSearchVisible = true;
  }
}

void TSettingsReader::TestReadOnlyMedium() {
  s_.ReadOnlyMedium = IsOnReadOnlyMedium(env_.ProgramFile);
  out_.CreateIndexVisible = !s_.ReadOnlyMedium;
  if (s_.ReadOnlyMedium) out_.WindowSizeVisible = false;
}

}  // namespace

AnsiString NotAnIntegerMessage(std::string_view value) {
  const std::string_view format = kNotAnInteger;
  const size_t at = format.find("%s");
  AnsiString message(format.substr(0, at));
  message += value;
  message += format.substr(at + 2);
  return message;
}

// A signed decimal integer, or hexadecimal after a leading "$", in the range
// of a 32-bit int.
std::optional<int> ParseInteger(std::string_view text) {
  size_t pos = 0;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';
  int base = 10;
  if (pos < text.size() && text[pos] == '$') {
    base = 16;
    ++pos;
  }
  if (pos >= text.size()) return std::nullopt;
  long long value = 0;
  for (; pos < text.size(); ++pos) {
    const char c = AsciiUpper(text[pos]);
    int digit;
    if (c >= '0' && c <= '9')
      digit = c - '0';
    else if (base == 16 && c >= 'A' && c <= 'F')
      digit = c - 'A' + 10;
    else
      return std::nullopt;
    value = value * base + digit;
    if (value > static_cast<long long>(INT_MAX) + 1) return std::nullopt;
  }
  if (negative) value = -value;
  if (value > INT_MAX || value < INT_MIN) return std::nullopt;
  return static_cast<int>(value);
}

TSettingsResult ReadAppSettings(const TSettingsEnvironment& environment) {
  TSettingsResult result;
  TSettingsReader(environment, result).Read();
  return result;
}

bool IndexFilesExist(std::string_view indexFolder) {
  const AnsiString folder = AnsiString(indexFolder) + kPathDelim;
  return FileExists(folder + "Link.iDB") && FileExists(folder + "Keyword.iDB") &&
         FileExists(folder + "File.iDB");
}

}  // namespace folverin
