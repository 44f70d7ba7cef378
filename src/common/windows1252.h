// Exact conversions between Windows-1252 (the program's 8-bit texts) and
// Unicode. Windows maps the five bytes that Windows-1252 leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) to the C1 controls of the same value; we do
// the same, so every byte string survives a round trip.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/ansi_string.h"

namespace folverin {

char16_t Windows1252ToUnicode(unsigned char byte);
// The Windows-1252 byte of a character, or nothing when the code page lacks it.
std::optional<unsigned char> UnicodeToWindows1252(char32_t ch);

std::u16string AnsiToUtf16(std::string_view ansi);
std::string AnsiToUtf8(std::string_view ansi);

// Characters that Windows-1252 lacks become "?", the code page's default
// character, as the platform's wide-to-multibyte conversion does.
AnsiString Utf16ToAnsi(std::u16string_view text);
AnsiString Utf8ToAnsi(std::string_view utf8);

// The length of the well-formed UTF-8 sequence starting at text[pos], or 0
// when none does (a stray continuation byte, an overlong form, a surrogate,
// a value beyond U+10FFFF or a sequence cut short).
size_t Utf8SequenceLength(std::string_view text, size_t pos);

// Whether the bytes are well-formed UTF-8 (no overlong forms, surrogates or
// values beyond U+10FFFF). Pure ASCII is.
bool IsValidUtf8(std::string_view text);

// Text from outside whose encoding nobody told us (a command-line argument,
// a settings file): read as UTF-8 when it is valid UTF-8, otherwise taken as
// Windows-1252 bytes as they are, so that no letter becomes "?".
AnsiString BytesToAnsi(std::string_view bytes);

// For names that must not be changed silently (file names): nothing when the
// UTF-8 text is malformed or has a character Windows-1252 lacks.
std::optional<AnsiString> Utf8ToAnsiExact(std::string_view utf8);

}  // namespace folverin
