#include "search/document_text.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>

#include "common/file_system.h"
#include "common/long_path.h"
#include "common/path_parts.h"
#include "common/windows1252.h"

namespace folverin {

TDocumentReadError::TDocumentReadError(const AnsiString& fileName)
    : std::runtime_error("cannot read " + fileName), fileName_(fileName) {}

bool IsSearchDocument(std::string_view name) {
  const std::string_view ext = FileExtension(name);
  return SameText(ext, ".htm") || SameText(ext, ".html") || SameText(ext, ".hcm") ||
         SameText(ext, ".hcml");
}

bool HasDocumentText(std::string_view fileName) {
  const std::string_view ext = FileExtension(fileName);
  return SameText(ext, ".htm") || SameText(ext, ".html");
}

bool TDocumentText::ReadFrom(int fd) {
  struct stat status;
  if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) return false;
  if (static_cast<uint64_t>(status.st_size) > kMaxReadSize) return false;
  // The size at opening is what is read: one read call for most documents,
  // and a file that shrinks meanwhile ends early.
  const size_t expected = static_cast<size_t>(status.st_size);
  // The memory of one huge document is not kept for the small ones after it.
  constexpr size_t kKeptCapacity = size_t{16} << 20;
  if (expected > capacity_ || (capacity_ > kKeptCapacity && expected <= kKeptCapacity)) {
    data_.reset();
    data_.reset(new char[expected]);
    capacity_ = expected;
  }
  size_ = 0;
  while (size_ < expected) {
    const ssize_t count = ::read(fd, data_.get() + size_, expected - size_);
    if (count == 0) break;
    if (count < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    size_ += static_cast<size_t>(count);
  }
  return true;
}

std::string_view TDocumentText::Read(std::string_view fileName) {
  const std::string name = AnsiToUtf8(fileName);
  // Non-blocking, so that a pipe named like a document cannot stall the walk;
  // a collection deeper than the system's path limit is read all the same.
  const TFileDescriptor fd = OpenLongPath(name, O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (!fd || !ReadFrom(fd.Get())) throw TDocumentReadError(AnsiString(fileName));
  if (size_ == 0) return {};
  if (const void* zero = std::memchr(data_.get(), 0, size_)) {
    size_ = static_cast<const char*>(zero) - data_.get();
  }
  UpperCaseInPlace(data_.get(), size_);
  return {data_.get(), size_};
}

void UpperCaseInPlace(char* text, size_t size) {
  // Eight bytes at a time: this is the one pass over every byte of every
  // document that cannot be avoided.
  constexpr uint64_t kOnes = 0x0101010101010101ull;
  constexpr uint64_t kHigh = 0x8080808080808080ull;
  char* p = text;
  size_t n = size;
  for (; n >= 8; p += 8, n -= 8) {
    uint64_t word;
    std::memcpy(&word, p, 8);
    const uint64_t low7 = word & ~kHigh;
    const uint64_t atLeastA = low7 + (0x80 - 'a') * kOnes;
    const uint64_t aboveZ = low7 + (0x80 - 'z' - 1) * kOnes;
    const uint64_t lower = atLeastA & ~aboveZ & ~word & kHigh;
    word -= lower >> 2;
    std::memcpy(p, &word, 8);
  }
  for (; n > 0; ++p, --n) *p = AsciiUpper(*p);
}

}  // namespace folverin
