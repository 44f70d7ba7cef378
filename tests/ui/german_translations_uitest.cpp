#include "qtcommon/german_translations.h"

#include <QCoreApplication>
#include <QLocale>
#include <gtest/gtest.h>

namespace folverin {
namespace {

// The toolkit's dialogs and the engine's own menu come in German whatever
// the system's locale (the tests run with the one of the machine).
TEST(GermanTranslations, ToolkitAndEngineTextsAreGerman) {
  ASSERT_TRUE(InstallGermanTranslations(*QCoreApplication::instance()));
  EXPECT_EQ(QLocale().language(), QLocale::German);
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Abbrechen"));
  EXPECT_EQ(QCoreApplication::translate("QPrintDialog", "Print"), QStringLiteral("Drucken"));
  EXPECT_EQ(QCoreApplication::translate("QFileDialog", "File &name:"), QStringLiteral("Datei&name:"));
  EXPECT_EQ(QCoreApplication::translate("RenderViewContextMenuQt", "Back"), QStringLiteral("Zurück"));
}

}  // namespace
}  // namespace folverin
