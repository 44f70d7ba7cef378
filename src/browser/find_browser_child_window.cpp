#include "browser/find_browser_child_window.h"

#include <QWidget>
#include <cstring>

#include "browser/embedded_browser.h"

namespace folverin {

namespace {

QWidget* FirstChildWidget(QWidget* parent) {
  for (QObject* child : parent->children()) {
    if (child->isWidgetType()) return static_cast<QWidget*>(child);
  }
  return nullptr;
}

}  // namespace

QWidget* FindBrowserChildWindow(TEmbeddedBrowser& browser, const char* className) {
  QWidget* current = &browser;
  while (QWidget* child = FirstChildWidget(current)) {
    if (std::strcmp(child->metaObject()->className(), className) == 0) return child;
    current = child;
  }
  return nullptr;
}

}  // namespace folverin
