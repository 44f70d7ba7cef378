// The copy of the two link commands of the context menu ("Ziel speichern
// unter...", "Zielordner kopieren..."): files and folders into a folder,
// with a progress display, asking before a file is replaced.
#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace folverin {

// Copies each source (a file, or a folder with everything in it) into
// `targetFolder`. Returns false when the user cancelled or something could
// not be copied (which was reported).
bool CopyIntoFolder(QWidget* owner, const QStringList& sources, const QString& targetFolder);

// The entries of a folder, as sources for CopyIntoFolder (the "*.*" of the
// folder copy).
QStringList FolderEntries(const QString& folder);

}  // namespace folverin
