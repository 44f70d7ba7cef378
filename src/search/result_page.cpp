#include "search/result_page.h"

#include "app/app_settings.h"
#include "common/file_system.h"

namespace folverin {

namespace {

AnsiString HtmlEscaped(std::string_view text) {
  AnsiString escaped;
  escaped.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&': escaped += "&amp;"; break;
      case '<': escaped += "&lt;"; break;
      case '>': escaped += "&gt;"; break;
      case '"': escaped += "&quot;"; break;
      default: escaped += c; break;
    }
  }
  return escaped;
}

// The path as a link address on the result page. The page is read as
// Windows-1252 and its links are resolved against the page's own file
// address, so the bytes that an address would read differently are
// percent-encoded: "%" (it starts an escape), "#" and "?" (they start the
// fragment and the query), "\" (a separator in file addresses), "|" (it
// turns a leading "c|" into a drive letter), blanks and control characters
// (the browser drops tabs and line breaks and trims the ends). Every other
// byte stays as it is, umlauts included: the browser reads them from the
// page as Windows-1252 characters and writes them into the address in
// UTF-8, which is how the names are stored on disk.
AnsiString LinkAddress(std::string_view path) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  AnsiString address;
  address.reserve(path.size());
  for (char c : path) {
    const auto byte = static_cast<unsigned char>(c);
    const bool encoded = byte <= 0x20 || byte == 0x7F || c == '%' || c == '#' || c == '?' ||
                         c == '\\' || c == '|';
    if (!encoded) {
      address += c;
      continue;
    }
    address += '%';
    address += kHex[byte >> 4];
    address += kHex[byte & 0x0F];
  }
  return address;
}

AnsiString Decimal(uint64_t value) { return std::to_string(value); }

// "für" in Windows-1252.
constexpr const char* kFor = " f\xFCr ";

AnsiString TimeLine(uint32_t elapsedMs, int32_t docCount) {
  const AnsiString docs = kFor + std::to_string(docCount) + " HTML-Dokumente.<BR>";
  if (elapsedMs < 1000) return Decimal(elapsedMs) + " ms" + docs;
  if (elapsedMs <= 60000) return Decimal(elapsedMs / 1000) + " Sekunde(n)" + docs;
  return Decimal(elapsedMs / 60000) + " Min " + Decimal((elapsedMs % 60000) / 1000) + " Sek" +
         docs;
}

AnsiString VolumeLine(uint32_t byteTotal) {
  if (byteTotal >= (1u << 20)) return "Datenvolumen " + Decimal(byteTotal >> 20) + " MByte.<BR>";
  return "Datenvolumen " + Decimal(byteTotal >> 10) + " KByte.<BR>";
}

AnsiString ThroughputLine(uint32_t elapsedMs, uint32_t byteTotal) {
  // A walk faster than the clock's tick counts as 1 ms instead of dividing
  // by zero.
  const uint32_t divisor = elapsedMs == 0 ? 1 : elapsedMs;
  const uint32_t perSecond = static_cast<uint32_t>((byteTotal / divisor) * 1000u) >> 10;
  return "Datendurchsatz " + Decimal(perSecond) + " KByte/sec.<BR>";
}

}  // namespace

TResultPage StartResultPage(const TAppSettings& settings) {
  return {"<HTML>", "<HEAD>", "  <TITLE>Suchergebnisse</TITLE>", "</HEAD>", "",
          settings.SearchBody, settings.SearchHeader};
}

AnsiString ResultLinkLine(std::string_view documentPath, std::string_view targetWindow) {
  // The path is native and already uses "/", the separator that a link
  // needs; a backslash on Linux is part of a name and is encoded with the
  // rest of the address.
  AnsiString line = "<A HREF=\"" + HtmlEscaped(LinkAddress(documentPath)) + "\"";
  if (!targetWindow.empty()) line += " TARGET=" + AnsiString(targetWindow);
  return line + "> " + HtmlEscaped(documentPath) + "</A>";
}

void AppendResultEntry(TResultPage& page, const TAppSettings& settings,
                       std::string_view documentPath) {
  page.push_back(settings.SearchBeginEntry);
  page.push_back(ResultLinkLine(documentPath, settings.SearchTargetWindow));
  page.push_back(settings.SearchEndEntry);
}

TResultPage PerformanceLines(uint32_t elapsedMs, int32_t docCount, uint32_t byteTotal) {
  return {"",
          "<HR><P><SMALL>",
          TimeLine(elapsedMs, docCount),
          VolumeLine(byteTotal),
          ThroughputLine(elapsedMs, byteTotal),
          "</SMALL></P><HR>"};
}

void FinishResultPage(TResultPage& page, const TAppSettings& settings, uint32_t elapsedMs,
                      int32_t docCount, uint32_t byteTotal) {
  if (settings.ShowPerformance) {
    const TResultPage footer = PerformanceLines(elapsedMs, docCount, byteTotal);
    page.insert(page.end(), footer.begin(), footer.end());
  }
  page.insert(page.end(), {settings.SearchFooter, "</BODY>", "</HTML>", "", ""});
}

std::string ResultPageBytes(const TResultPage& page) {
  std::string bytes;
  for (const AnsiString& line : page) {
    bytes += line;
    bytes += "\r\n";
  }
  return bytes;
}

std::optional<std::string> SaveResultPage(const TResultPage& page, const AnsiString& pageFile,
                                          AnsiString& lastResultFile) {
  if (!lastResultFile.empty() && FileExists(lastResultFile)) RemoveFile(lastResultFile);
  if (auto error = WriteWholeFile(pageFile, ResultPageBytes(page))) return error;
  lastResultFile = pageFile;
  return std::nullopt;
}

}  // namespace folverin
