#include "editor/editor_text.h"

#include <cerrno>
#include <string>

#include "common/file_error_text.h"
#include "common/file_system.h"
#include "common/windows1252.h"

namespace folverin {

namespace {

// The entity Save writes for a byte, or nothing for a byte written as it is.
std::string_view UmlautEntity(unsigned char byte) {
  switch (byte) {
    case 0xC4: return "&Auml;";
    case 0xD6: return "&Ouml;";
    case 0xDC: return "&Uuml;";
    case 0xDF: return "&szlig;";
    case 0xE4: return "&auml;";
    case 0xF6: return "&ouml;";
    case 0xFC: return "&uuml;";
    default: return {};
  }
}

// Calls lineBreak() for each line break and byte(c) for every other byte.
template <typename LineBreak, typename Byte>
void ForEachByte(std::string_view text, LineBreak lineBreak, Byte byte) {
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r') {
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
      lineBreak();
    } else if (c == '\n') {
      lineBreak();
    } else {
      byte(c);
    }
  }
}

}  // namespace

AnsiString EditorTextFromBytes(std::string_view bytes) {
  AnsiString text;
  text.reserve(bytes.size() + bytes.size() / 32);
  ForEachByte(bytes, [&] { text += "\r\n"; }, [&](char c) { text += c; });
  return text;
}

TEditorLoadResult LoadEditorText(std::string_view ansiPath) {
  TEditorLoadResult result;
  std::string bytes;
  if (!ReadWholeFileInto(ansiPath, bytes)) {
    const int error = errno;
    result.Error = "Datei " + AnsiString(ansiPath) + " kann nicht ge\xF6" "ffnet werden. " + FileErrorText(error);
    return result;
  }
  result.Text = EditorTextFromBytes(bytes);
  return result;
}

std::string EditorTextToFileBytes(std::string_view text) {
  const bool keepLetters = IsValidUtf8(text);
  std::string bytes;
  bytes.reserve(text.size() + text.size() / 16);
  ForEachByte(
      text, [&] { bytes += "\r\n"; },
      [&](char c) {
        const std::string_view entity = keepLetters ? std::string_view() : UmlautEntity(static_cast<unsigned char>(c));
        if (entity.empty())
          bytes += c;
        else
          bytes += entity;
      });
  return bytes;
}

size_t EditorCharacterCount(std::string_view text) {
  size_t count = 0;
  ForEachByte(text, [&] { count += 2; }, [&](char) { ++count; });
  return count;
}

AnsiString NewFileTemplate() {
  static constexpr std::string_view kLines[] = {
      "<HTML>", "<!--", "Automatic code generation done by", "Brevimar Products",
      "eMail: autor@example.com", "//-->", "<HEAD>", "<TITLE> </TITLE>", "</HEAD>", "<BODY>", "",
      "<P>", "<P>", "</BODY>", "</HTML>", ""};
  AnsiString text;
  for (size_t i = 0; i < std::size(kLines); ++i) {
    if (i > 0) text += "\r\n";
    text += kLines[i];
  }
  return text;
}

}  // namespace folverin
