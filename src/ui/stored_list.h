// Lists in the user's settings (the recently used addresses, the recent
// collections): one value per entry under the keys F0, F1, ... of a group.
#pragma once

#include <QString>
#include <vector>

#include "common/ansi_string.h"

class QSettings;

namespace folverin {

// The entries in the order written (F0, F1, ...), not in the store's sort
// order; gaps and foreign keys lose nothing.
std::vector<AnsiString> ReadStoredList(QSettings& store, const QString& group);
// Replaces the group with the entries.
void WriteStoredList(QSettings& store, const QString& group, const std::vector<AnsiString>& entries);

}  // namespace folverin
