#include "cli/command_line.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "app/start_collection.h"
#include "cli/collection_settings.h"
#include "common/windows1252.h"

namespace folverin::cli {

namespace {

void AppendEscape(std::string& out, const char* prefix, unsigned value) {
  static constexpr char kHex[] = "0123456789abcdef";
  out += prefix;
  out += kHex[(value >> 4) & 0x0F];
  out += kHex[value & 0x0F];
}

}  // namespace

std::string TerminalText(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (size_t pos = 0; pos < utf8.size();) {
    const size_t length = Utf8SequenceLength(utf8, pos);
    const auto byte = static_cast<unsigned char>(utf8[pos]);
    if (length == 0) {
      AppendEscape(out, "\\x", byte);
      ++pos;
      continue;
    }
    if (length == 2 && byte == 0xC2 && static_cast<unsigned char>(utf8[pos + 1]) < 0xA0) {
      AppendEscape(out, "\\u00", static_cast<unsigned char>(utf8[pos + 1]));
    } else if (byte == '\\') {
      out += "\\\\";
    } else if (byte == '\t') {
      out += "\\t";
    } else if (byte == '\n') {
      out += "\\n";
    } else if (byte == '\r') {
      out += "\\r";
    } else if (byte < 0x20 || byte == 0x7F) {
      AppendEscape(out, "\\x", byte);
    } else {
      out.append(utf8, pos, length);
    }
    pos += length;
  }
  return out;
}

void WriteLine(std::FILE* stream, const AnsiString& ansiText) {
  const std::string line = TerminalText(AnsiToUtf8(ansiText)) + "\n";
  std::fwrite(line.data(), 1, line.size(), stream);
}

void WriteUtf8Line(std::FILE* stream, std::string_view message, std::string_view utf8Text) {
  const std::string line = std::string(message) + TerminalText(utf8Text) + "\n";
  std::fwrite(line.data(), 1, line.size(), stream);
}

int FinishStandardOutput() {
  if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return 0;
  WriteLine(stderr, AnsiString("Ausgabe nicht geschrieben: ") + std::strerror(errno));
  return 1;
}

std::optional<AnsiString> ExistingCollectionFolder(const std::string& argument, bool absolute) {
  std::error_code error;
  std::string dir = argument;
  // The collection's settings file stands for its folder, as for the viewer.
  if (const auto folder = FolderOfSettingsFileName(argument);
      folder && std::filesystem::is_regular_file(argument, error))
    dir = *folder;
  // Hits are printed and linked as absolute paths, as the viewer's folder is.
  if (absolute) dir = std::filesystem::absolute(dir, error).lexically_normal().string();
  if (error || !std::filesystem::is_directory(dir, error)) {
    WriteUtf8Line(stderr, "Kein Ordner: ", argument);
    return std::nullopt;
  }
  auto folder = CollectionFolder(dir);
  if (!folder) WriteUtf8Line(stderr, "Ordnername ohne Windows-1252-Form: ", argument);
  return folder;
}

}  // namespace folverin::cli

namespace folverin::cli {

std::optional<TSettingsResult> SettingsOfCollection(const std::string& argument) {
  const auto folder = ExistingCollectionFolder(argument, true);
  if (!folder) return std::nullopt;
  TSettingsResult settings = ReadCollectionSettings(*folder, false);
  if (settings.Outcome.ErrorMessage) WriteLine(stderr, *settings.Outcome.ErrorMessage + ".");
  return settings;
}

}  // namespace folverin::cli
