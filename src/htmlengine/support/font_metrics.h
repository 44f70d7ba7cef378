// The platform's font facilities as the engine needs them: which families
// are installed, what a requested font turns into, and how wide text is.
// Windows use the Qt implementation; tests and text extraction use
// FixedWidthFontMetrics, whose numbers are exact and machine-independent.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "common/ansi_string.h"

namespace folverin {

// Style bits of a font.
inline constexpr uint8_t kFontBold = 1;
inline constexpr uint8_t kFontItalic = 2;
inline constexpr uint8_t kFontUnderline = 4;
inline constexpr uint8_t kFontStrikeOut = 8;

struct TFontRequest {
  AnsiString Family;
  int SizePoints = 12;
  uint8_t Style = 0;
  int Charset = 1;  // DEFAULT_CHARSET
};

// A font as the platform made it, with its measures in pixels.
struct TRealisedFont {
  AnsiString Family;
  int SizePoints = 12;
  uint8_t Style = 0;
  int Charset = 0;  // the character set actually realised
  int Height = 0;   // cell height: ascent + descent
  int Ascent = 0;
  int Descent = 0;
  int InternalLeading = 0;
  int ExternalLeading = 0;
  int MaxCharWidth = 0;
  uint32_t Colour = 0;  // the colour text is painted in (a TColour)
  bool operator==(const TRealisedFont&) const = default;
};

class FontMetrics {
 public:
  virtual ~FontMetrics() = default;
  virtual bool IsInstalled(std::string_view family) const = 0;
  // The family used when none of a list is installed.
  virtual AnsiString DefaultFamily() const = 0;
  virtual int PixelsPerInch() const = 0;
  // DEFAULT_CHARSET (1) is realised as the system's character set; a symbol
  // font realises SYMBOL_CHARSET whatever was asked.
  virtual TRealisedFont Realise(const TFontRequest& request) const = 0;
  virtual int TextWidth(const TRealisedFont& font, std::u16string_view text) const = 0;
  // How many leading characters of `text` fit into maxWidth pixels, and how
  // wide they are. By default a search over TextWidth that measures only
  // about twice the part that fits; a platform whose text extent call can
  // count the fitting characters itself answers directly.
  virtual int TextFit(const TRealisedFont& font, std::u16string_view text, int maxWidth,
                      int& fitWidth) const;
};

// Every character is half an em wide; an em is the point size at the given
// pixels per inch, rounded. Descent is a quarter em, internal leading a fifth
// (both rounded down), external leading 0. Bold adds one pixel per character.
class FixedWidthFontMetrics : public FontMetrics {
 public:
  // The families that count as installed (compared without regard to case).
  explicit FixedWidthFontMetrics(int pixelsPerInch = 96);
  FixedWidthFontMetrics(std::set<AnsiString> installed, int pixelsPerInch);

  bool IsInstalled(std::string_view family) const override;
  AnsiString DefaultFamily() const override { return "Arial"; }
  int PixelsPerInch() const override { return PixelsPerInch_; }
  TRealisedFont Realise(const TFontRequest& request) const override;
  int TextWidth(const TRealisedFont& font, std::u16string_view text) const override;
  int TextFit(const TRealisedFont& font, std::u16string_view text, int maxWidth,
              int& fitWidth) const override;

  // A shared instance with the standard families, for callers that were
  // given no metrics.
  static const FixedWidthFontMetrics& Standard();

 private:
  // Looked up by view, so that asking allocates nothing. The spelling as
  // given answers the usual question, asked in the same spelling, with one
  // comparison of bytes.
  struct TInstalledName {
    AnsiString Upper;
    AnsiString Spelling;
  };
  static std::vector<TInstalledName> NamesOf(const std::set<AnsiString>& families);

  std::vector<TInstalledName> Installed;  // sorted by Upper, each once
  int PixelsPerInch_;
};

}  // namespace folverin
