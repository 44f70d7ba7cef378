#include "common/code_page.h"

#include <unicode/ucnv.h>

#include <memory>
#include <numeric>
#include <unordered_map>

#include "common/johab.h"
#include "common/windows1252.h"

namespace folverin {

namespace {

constexpr int kSystemOemCodePage = 850;
constexpr int kSystemMacCodePage = 10000;

int EffectiveCodePage(int codePage) {
  switch (codePage) {
    case 0: return kSystemAnsiCodePage;
    case 1: return kSystemOemCodePage;
    case 2: return kSystemMacCodePage;
    default: return codePage;
  }
}

struct ConverterCloser {
  void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using ConverterPtr = std::unique_ptr<UConverter, ConverterCloser>;

UConverter* OpenConverter(int codePage) {
  const char* name = IcuNameOfCodePage(codePage);
  if (name == nullptr) return nullptr;
  UErrorCode error = U_ZERO_ERROR;
  UConverter* converter = ucnv_open(name, &error);
  if (U_FAILURE(error)) return nullptr;
  // Windows' default character is "?" for every code page we serve; ICU's own
  // substitution bytes (0x1A, 0xFCFC, ...) would put control bytes or odd
  // glyphs into the program's texts. UTF-8 keeps U+FFFD.
  if (codePage != kCodePageUtf8) {
    error = U_ZERO_ERROR;
    ucnv_setSubstChars(converter, "?", 1, &error);
  }
  return converter;
}

// Converters are opened once per code page and kept for the thread's life:
// the HTML engine converts every text run, and opening is the costly part.
// Null entries remember code pages that ICU cannot serve.
UConverter* CachedConverter(int codePage) {
  thread_local std::unordered_map<int, ConverterPtr> cache;
  auto found = cache.find(codePage);
  if (found == cache.end())
    found = cache.emplace(codePage, ConverterPtr(OpenConverter(codePage))).first;
  return found->second.get();
}

// The converter for a code page, or nullptr when the text is to be handled as
// Windows-1252 (asked for, or the fallback for what ICU cannot convert). 1252
// uses our own table so that its five undefined bytes survive a round trip.
UConverter* ConverterFor(int codePage) {
  const int effective = EffectiveCodePage(codePage);
  if (effective == kSystemAnsiCodePage) return nullptr;
  return CachedConverter(effective);
}

bool IsAscii(std::string_view bytes) {
  for (char c : bytes)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

void FillIdentityIndex(size_t count, std::vector<uint32_t>* byteIndex) {
  if (byteIndex == nullptr) return;
  byteIndex->resize(count);
  std::iota(byteIndex->begin(), byteIndex->end(), 0u);
}

// One pass of ICU's decoder over the whole input; false when the output
// buffer was too small.
bool DecodeWithIcu(UConverter* converter, std::string_view bytes, std::u16string& out,
                   std::vector<int32_t>* offsets) {
  ucnv_reset(converter);
  const char* source = bytes.data();
  char16_t* target = out.data();
  int32_t* offsetTarget = offsets ? offsets->data() : nullptr;
  UErrorCode error = U_ZERO_ERROR;
  ucnv_toUnicode(converter, &target, out.data() + out.size(), &source, bytes.data() + bytes.size(),
                 offsetTarget, true, &error);
  if (error == U_BUFFER_OVERFLOW_ERROR) return false;
  out.resize(static_cast<size_t>(target - out.data()));
  return true;
}

std::u16string DecodeBytes(UConverter* converter, std::string_view bytes,
                           std::vector<uint32_t>* byteIndex) {
  if (bytes.empty()) {
    FillIdentityIndex(0, byteIndex);
    return {};
  }
  // No code page we serve yields more than two units per byte.
  size_t capacity = bytes.size() * 2 + 4;
  std::u16string out;
  std::vector<int32_t> offsets;
  for (;;) {
    out.assign(capacity, u'\0');
    if (byteIndex) offsets.assign(capacity, -1);
    if (DecodeWithIcu(converter, bytes, out, byteIndex ? &offsets : nullptr)) break;
    capacity *= 2;
  }
  if (byteIndex == nullptr) return out;
  if (out.size() == bytes.size()) {
    FillIdentityIndex(out.size(), byteIndex);
    return out;
  }
  // ICU reports for every unit the first byte of the sequence it came from;
  // a unit it could not attribute takes the position of the one before.
  byteIndex->resize(out.size());
  uint32_t last = 0;
  for (size_t i = 0; i < out.size(); ++i) {
    if (offsets[i] >= 0) last = static_cast<uint32_t>(offsets[i]);
    (*byteIndex)[i] = last;
  }
  return out;
}

}  // namespace

const char* IcuNameOfCodePage(int codePage) {
  switch (EffectiveCodePage(codePage)) {
    case 874: return "windows-874-2000";
    case 932: return "ibm-943_P15A-2003";  // Microsoft's Shift_JIS variant
    case 936: return "windows-936-2000";
    case 949: return "windows-949-2000";
    case 950: return "windows-950-2000";
    case 1250: return "windows-1250";
    case 1251: return "windows-1251";
    case 1252: return "windows-1252";
    case 1253: return "windows-1253";
    case 1254: return "windows-1254";
    case 1255: return "windows-1255";
    case 1256: return "windows-1256";
    case 1257: return "windows-1257";
    case 1258: return "windows-1258";
    case kSystemOemCodePage: return "ibm-850";
    case kSystemMacCodePage: return "macintosh";
    case kCodePageUtf8: return "UTF-8";
    // Johab (1361) is not in ICU's standard data; see johab.h.
    default: return nullptr;
  }
}

std::u16string MultiByteToWide(int codePage, std::string_view bytes,
                               std::vector<uint32_t>* byteIndex) {
  if (codePage == kCodePageJohab) return JohabToUtf16(bytes, byteIndex);
  // Most UTF-8 text runs are plain ASCII, which decodes byte for byte; the
  // HTML engine converts every run, and ICU's decoder with offsets costs
  // several times this loop.
  if (EffectiveCodePage(codePage) == kCodePageUtf8 && IsAscii(bytes)) {
    FillIdentityIndex(bytes.size(), byteIndex);
    return std::u16string(bytes.begin(), bytes.end());
  }
  UConverter* converter = ConverterFor(codePage);
  if (converter == nullptr) {
    FillIdentityIndex(bytes.size(), byteIndex);
    return AnsiToUtf16(bytes);
  }
  return DecodeBytes(converter, bytes, byteIndex);
}

std::string WideToMultiByte(int codePage, std::u16string_view text) {
  if (codePage == kCodePageJohab) return Utf16ToJohab(text);
  UConverter* converter = ConverterFor(codePage);
  if (converter == nullptr) return Utf16ToAnsi(text);
  if (text.empty()) return {};
  std::string out(UCNV_GET_MAX_BYTES_FOR_STRING(text.size(), ucnv_getMaxCharSize(converter)), '\0');
  UErrorCode error = U_ZERO_ERROR;
  const int32_t length = ucnv_fromUChars(converter, out.data(), static_cast<int32_t>(out.size()),
                                         text.data(), static_cast<int32_t>(text.size()), &error);
  if (U_FAILURE(error)) return Utf16ToAnsi(text);
  out.resize(static_cast<size_t>(length));
  return out;
}

}  // namespace folverin
