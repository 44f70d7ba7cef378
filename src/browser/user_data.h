// The user's own data of the viewer, kept across runs and collections: the
// favourites folder and the history log, in the user's data folder
// ("~/.local/share/Brevimar/Folverin", the application data location of the
// organisation and application that the user settings use).
#pragma once

#include <QString>

#include "browser/history_log.h"

namespace folverin {

QString UserDataFolder();
// Puts another folder in place of the user's (tests); an empty text
// restores the user's.
void SetUserDataFolder(const QString& folder);

// "Favoriten" in the data folder.
QString FavoritesFolder();
QString HistoryLogPath();

// The local clock now, as the history log keeps it.
TLocalTime LocalNow();

// Adds a document a browser window showed completely to the history; the
// engine's own pages and the search result page (`resultPage`) are left
// out. A title that only repeats the address counts as none. A history that
// cannot be written is left as it is: the document is shown all the same,
// and a message on every page would be of no help.
void RecordHistoryVisit(const QString& address, const QString& title, const QString& resultPage);

}  // namespace folverin
