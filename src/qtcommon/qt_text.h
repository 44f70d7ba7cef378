// The one boundary between the program's Windows-1252 texts and Qt's
// QString; only Qt code includes it.
#pragma once

#include <QString>

#include "common/windows1252.h"

namespace folverin {

inline QString FromAnsi(const AnsiString& text) {
  const std::u16string wide = AnsiToUtf16(text);
  return QString(reinterpret_cast<const QChar*>(wide.data()), static_cast<qsizetype>(wide.size()));
}

inline AnsiString ToAnsi(const QString& text) {
  return Utf16ToAnsi(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                         static_cast<size_t>(text.size())));
}

}  // namespace folverin
