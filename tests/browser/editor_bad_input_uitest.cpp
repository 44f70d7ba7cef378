// The source editor on files no author meant for it: very large, one very
// long line, NUL bytes, an unterminated tag. It opens them (or says why
// not), the character count and a save finish, nothing hangs.
#include <Qsci/qsciscintilla.h>

#include <QDir>
#include <QStandardPaths>
#include <QTabBar>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "browser_test_support.h"
#include "editor/edit_form.h"
#include "editor/editor_text.h"

namespace folverin::testing {
namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(EditorBadInput, LargeLongAndBrokenFilesOpenAndSave) {
  // A home folder of its own, without a data folder yet: the old versions
  // go to the trash below it all the same, never into the current folder.
  TempFolder home;
  const QByteArray oldHome = qgetenv("HOME");
  qputenv("HOME", QByteArray::fromStdString(home.Path()));
  const QString trash = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/Trash/files";
  ASSERT_TRUE(trash.startsWith(QString::fromStdString(home.Path())));
  TempFolder folder;
  folder.Write("folverin.ini", "[Global]\r\nTitle=Gross\r\nDocument=leer.htm\r\n");
  folder.Write("leer.htm", "<HTML><BODY>leer</BODY></HTML>");
  // 50 MB of lines, one line of 10 MB, NUL bytes inside an unterminated tag.
  std::string large;
  large.reserve(50u << 20);
  while (large.size() < (50u << 20)) large += "<P>Zeile mit Text und <A HREF=\"x.htm\">Verweis</A></P>\r\n";
  const std::string largePath = folder.Write("gross.htm", large);
  const std::string longLine = std::string(10u << 20, 'x') + "\r\n";
  const std::string longPath = folder.Write("lang.htm", longLine);
  const std::string broken = std::string("<A HREF=\"ohne ende") + std::string(3, '\0') + "<B <I \"";
  const std::string brokenPath = folder.Write("kaputt.htm", broken);

  TMainForm form(folder.Path() + "folverin");
  form.show();
  ASSERT_TRUE(WaitFor([&form] { return form.MDITab->count() == 1; }));

  for (const std::string* path : {&largePath, &longPath, &brokenPath}) {
    SCOPED_TRACE(*path);
    TEditForm* editor = form.OpenEditorWindow(QString::fromStdString(*path));
    ASSERT_TRUE(editor);
    EXPECT_EQ(editor->Text(), EditorTextFromBytes(ReadFile(*path)));
    // A change, then Save: the bytes come back as documented.
    editor->Source->SendScintilla(QsciScintillaBase::SCI_APPENDTEXT, 1, "z");
    ASSERT_EQ(editor->Text().back(), 'z');
    EXPECT_EQ(editor->CharacterCount(), EditorCharacterCount(editor->Text()));
    const std::string expected = EditorTextToFileBytes(editor->Text());
    editor->SaveBtnClick();
    EXPECT_EQ(ReadFile(*path), expected);
    EXPECT_FALSE(editor->windowTitle().endsWith(QLatin1Char('*')));
    form.CloseChild(editor);
    ASSERT_TRUE(WaitFor([&form] { return form.EditorWindows().isEmpty(); }));
  }
  form.close();
  WaitFor([&form] { return form.MDITab->count() == 0; });
  EXPECT_EQ(QDir(trash).entryList(QDir::Files).size(), 3);
  EXPECT_FALSE(QDir::current().exists(QStringLiteral("info")));
  qputenv("HOME", oldHome);
}

}  // namespace
}  // namespace folverin::testing
