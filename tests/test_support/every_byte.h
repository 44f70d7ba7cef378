// Every byte value 0 to 255 in order, and what the source editor's Save
// makes of it: the lone LF and the lone CR each become a CR LF, the seven
// umlaut bytes their entities, every other byte stays.
#pragma once

#include <string>

namespace folverin::testing {

inline std::string EveryByteValue() {
  std::string bytes;
  for (int value = 0; value < 256; ++value) bytes += static_cast<char>(value);
  return bytes;
}

inline std::string EveryByteAsSaved() {
  std::string saved;
  for (int value = 0; value < 256; ++value) {
    switch (value) {
      case '\n':
      case '\r': saved += "\r\n"; break;
      case 0xC4: saved += "&Auml;"; break;
      case 0xD6: saved += "&Ouml;"; break;
      case 0xDC: saved += "&Uuml;"; break;
      case 0xDF: saved += "&szlig;"; break;
      case 0xE4: saved += "&auml;"; break;
      case 0xF6: saved += "&ouml;"; break;
      case 0xFC: saved += "&uuml;"; break;
      default: saved += static_cast<char>(value);
    }
  }
  return saved;
}

}  // namespace folverin::testing
