// The browser window tests share one application object: the web engine
// starts once per process, and slowly.
#include <QApplication>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include "browser/search_scheme.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  folverin::RegisterSearchScheme();
  // The recently used list must not reach the user's own settings.
  QStandardPaths::setTestModeEnabled(true);
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
