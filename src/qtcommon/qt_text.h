// The one boundary between the program's texts and Qt's QString: the
// Windows-1252 texts of the core and the UTF-16 texts of the engine and of
// the scripts; only Qt code includes it.
#pragma once

#include <QString>
#include <string>
#include <string_view>

#include "common/windows1252.h"

namespace folverin {

inline QString FromUtf16(std::u16string_view text) {
  return QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
}

inline std::u16string ToUtf16(const QString& text) {
  return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<size_t>(text.size()));
}

inline QString FromAnsi(const AnsiString& text) { return FromUtf16(AnsiToUtf16(text)); }

inline AnsiString ToAnsi(const QString& text) {
  return Utf16ToAnsi(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                         static_cast<size_t>(text.size())));
}

}  // namespace folverin
