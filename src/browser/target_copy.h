// The copy of the two link commands of the context menu ("Ziel speichern
// unter...", "Zielordner kopieren..."): carries out a copy plan
// (target_copy_plan.h) with a progress display, asking before a file is
// replaced.
#pragma once

#include <QString>

#include "browser/target_copy_plan.h"

class QWidget;

namespace folverin {

// Makes the plan's folders and copies its files into `targetFolder`. Returns
// false when the user cancelled or something could not be copied (which was
// reported).
bool CopyIntoFolder(QWidget* owner, const TCopyPlan& plan, const QString& targetFolder);

}  // namespace folverin
