// The favourites: a folder of Internet shortcuts, one ".url" file per entry
// ("[InternetShortcut]" with "URL="), sub-folders as folders. This reads the
// folder as a tree in a file manager's order, reads and writes one shortcut,
// and makes a file name from a page title.
//
// Reading never fails as a whole: what cannot be read is left out (a
// sub-folder that cannot be listed is an empty folder, a favourites folder
// that is missing or a file gives no entries), and a shortcut without a
// usable address is still an entry, one without a target.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/ansi_string.h"

namespace folverin {

// The extension of a shortcut file, as it is written.
inline constexpr std::string_view kShortcutExtension = ".url";

struct TFavorite {
  AnsiString Name;    // the name shown: a folder's name, a file's name without ".url"
  AnsiString Path;    // the folder (with its trailing "/") or the file
  AnsiString Target;  // the shortcut's address; empty for folders and unusable shortcuts
  bool IsFolder = false;
  std::vector<TFavorite> Children;  // a folder's entries, in the order shown
};

// The entries under `folder` (with or without its trailing "/"): folders
// and ".url" files (extension in any letter case), hidden names (a leading
// ".") left out, each level sorted folders first, then by name without
// regard to letter case (umlauts and accented letters next to their base
// letters, as a German file manager shows them).
std::vector<TFavorite> ReadFavorites(const AnsiString& folder);

// The folders only, for choosing where a new favourite goes.
std::vector<TFavorite> ReadFavoriteFolders(const AnsiString& folder);

// Whether `a` comes before `b` in the pane: folders first, then the names.
bool FavoriteBefore(const TFavorite& a, const TFavorite& b);

// The address of a shortcut file's text: the value of "URL" in the section
// "[InternetShortcut]", names without regard to case. Empty when there is
// none, or when it holds a control character (a binary file read as text).
AnsiString ShortcutTarget(std::string_view fileBytes);

// The shortcut file for an address, with the line ends of the systems that
// made the format.
std::string ShortcutFileText(std::string_view url);

// A file or folder name made from what the user typed (a page title): the
// characters that no file name on either system may hold ("\ / : * ? " < >
// |" and control characters) become "_", blanks and dots at either end go
// (a leading dot would hide the entry, a trailing one Windows drops), and a
// very long title is cut to keep the name within the limits of file
// systems. Empty when nothing is left.
AnsiString FavoriteFileName(std::string_view title);

// The name proposed for a new favourite: the page's title; for a page
// without one (or whose title only repeats its address), the name of the
// document its address ends in, decoded and without its extension; the
// address itself when that leaves nothing.
AnsiString ProposedFavoriteName(std::string_view title, std::string_view address);

// Writes the shortcut whole or not at all. An error text (Windows-1252:
// the system's reason) or nothing on success.
std::optional<std::string> WriteFavorite(const AnsiString& path, std::string_view url);

}  // namespace folverin
