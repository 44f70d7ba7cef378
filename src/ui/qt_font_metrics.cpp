#include "ui/qt_font_metrics.h"

#include <algorithm>
#include <array>

#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QTextLayout>

#include "htmlengine/support/html_charsets.h"
#include "qtcommon/qt_text.h"

namespace folverin {

namespace {

int ScreenPixelsPerInch() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  const int dpi = screen ? qRound(screen->logicalDotsPerInch()) : 0;
  return dpi > 0 ? dpi : 96;
}

}  // namespace

QtFontMetrics::QtFontMetrics(int pixelsPerInch)
    : pixelsPerInch_(pixelsPerInch > 0 ? pixelsPerInch : ScreenPixelsPerInch()) {
  for (const QString& family : QFontDatabase::families()) installed_.insert(UpperCase(ToAnsi(family)));
  default_ = ToAnsi(QFontDatabase::systemFont(QFontDatabase::GeneralFont).family());
}

// Family names are short: they are upper-cased on the stack.
bool QtFontMetrics::IsInstalled(std::string_view family) const {
  constexpr size_t kShortName = 64;
  if (family.size() > kShortName) return installed_.count(UpperCase(family)) > 0;
  std::array<char, kShortName> buffer;
  std::transform(family.begin(), family.end(), buffer.begin(), AsciiUpper);
  return installed_.find(std::string_view(buffer.data(), family.size())) != installed_.end();
}

AnsiString QtFontMetrics::DefaultFamily() const { return default_; }

QFont QtFontMetrics::MakeFont(const AnsiString& family, int sizePoints, uint8_t style) const {
  QFont font(FromAnsi(family));
  // The size of the em in pixels, as the point size comes out on a screen
  // of this resolution.
  font.setPixelSize(std::max(1, (sizePoints * pixelsPerInch_ + 36) / 72));
  font.setBold((style & kFontBold) != 0);
  font.setItalic((style & kFontItalic) != 0);
  font.setUnderline((style & kFontUnderline) != 0);
  font.setStrikeOut((style & kFontStrikeOut) != 0);
  return font;
}

QFont QtFontMetrics::ToQFont(const TRealisedFont& font) const {
  return MakeFont(font.Family, font.SizePoints, font.Style);
}

TRealisedFont QtFontMetrics::Realise(const TFontRequest& request) const {
  // Sizes are kept in range as the font is made, so that a document asking
  // for any number of absurd sizes adds no more than the range to the cache.
  TRequestKey key{request.Family, std::clamp(request.SizePoints, 1, 1000), request.Style,
                  request.Charset};
  auto found = realisedFonts_.find(key);
  if (found == realisedFonts_.end())
    found = realisedFonts_.emplace(std::move(key), RealiseNew(request)).first;
  return found->second;
}

TRealisedFont QtFontMetrics::RealiseNew(const TFontRequest& request) const {
  TRealisedFont font;
  font.SizePoints = std::clamp(request.SizePoints, 1, 1000);
  font.Style = request.Style;
  const AnsiString asked = IsInstalled(request.Family) ? request.Family : DefaultFamily();
  const QFont qfont = MakeFont(asked, font.SizePoints, font.Style);
  // What the font database made of the request, e.g. a substitute family.
  font.Family = ToAnsi(QFontInfo(qfont).family());
  // A symbol font realises the symbol set whatever was asked; a request for
  // no particular set gets the system's.
  if (SameText(font.Family, "Symbol") || SameText(asked, "Symbol")) font.Charset = kSymbolCharset;
  else if (request.Charset == kDefaultCharset) font.Charset = kAnsiCharset;
  else font.Charset = request.Charset;
  const QFontMetrics& metrics = MetricsOf(font);
  font.Ascent = metrics.ascent();
  font.Descent = metrics.descent();
  font.Height = font.Ascent + font.Descent;
  font.InternalLeading = std::max(0, font.Height - qfont.pixelSize());
  font.ExternalLeading = std::max(0, metrics.leading());
  font.MaxCharWidth = metrics.maxWidth();
  return font;
}

const QFontMetrics& QtFontMetrics::MetricsOf(const TRealisedFont& font) const {
  TFontKey key{font.Family, font.SizePoints, font.Style};
  auto found = metricsCache_.find(key);
  if (found == metricsCache_.end())
    found = metricsCache_.emplace(std::move(key), QFontMetrics(ToQFont(font))).first;
  return found->second;
}

int QtFontMetrics::TextWidth(const TRealisedFont& font, std::u16string_view text) const {
  if (text.empty()) return 0;
  return MetricsOf(font).horizontalAdvance(FromUtf16(text));
}

int QtFontMetrics::TextFit(const TRealisedFont& font, std::u16string_view text, int maxWidth,
                           int& fitWidth) const {
  fitWidth = 0;
  if (text.empty() || maxWidth < 0) return 0;
  const QFont qfont = ToQFont(font);
  // Only a stretch somewhat longer than what can fit is shaped, so a long
  // text costs no more than a short one; it grows when all of it fits.
  const int narrowest = std::max(1, MetricsOf(font).averageCharWidth() / 2);
  qsizetype take = std::min<qsizetype>(static_cast<qsizetype>(text.size()), maxWidth / narrowest + 8);
  for (;;) {
    QTextLayout layout(FromUtf16(text.substr(0, static_cast<size_t>(take))), qfont);
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    const bool all = line.naturalTextWidth() <= maxWidth;
    if (!all || take == static_cast<qsizetype>(text.size())) {
      int fits = all ? static_cast<int>(take)
                     : line.xToCursor(maxWidth, QTextLine::CursorBetweenCharacters);
      // The cursor nearest to maxWidth may lie one character beyond it;
      // widths are taken as TextWidth gives them, so both calls agree.
      while (fits > 0 && TextWidth(font, text.substr(0, static_cast<size_t>(fits))) > maxWidth)
        --fits;
      while (fits < take &&
             TextWidth(font, text.substr(0, static_cast<size_t>(fits) + 1)) <= maxWidth)
        ++fits;
      fitWidth = TextWidth(font, text.substr(0, static_cast<size_t>(fits)));
      return fits;
    }
    take = std::min<qsizetype>(static_cast<qsizetype>(text.size()), take * 2);
  }
}

}  // namespace folverin
