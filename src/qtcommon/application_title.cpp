#include "qtcommon/application_title.h"

namespace folverin {

namespace {

QString& Title() {
  static QString title = QStringLiteral("Folverin");
  return title;
}

}  // namespace

QString ApplicationTitle() { return Title(); }

void SetApplicationTitle(const QString& title) { Title() = title; }

}  // namespace folverin
