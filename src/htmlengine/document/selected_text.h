// The collectors of selected text: one counts the characters, one copies
// them into a buffer of the counted size, and one appends them to a string
// in a single walk. All see the same characters, so the count is exactly
// what the copy writes and the string holds.
#pragma once

#include <string>

namespace folverin {

class TSelTextCount {
 public:
  virtual ~TSelTextCount() = default;
  // Takes the characters that are not markers.
  virtual void Put(const char16_t* chars, int count);
  // The same for characters known to hold no marker.
  virtual void PutUnmarked(const char16_t* chars, int count) { Put(chars, count); }
  virtual int Total();
  void PutLine(const char16_t* chars, int count);

 protected:
  int Count = 0;
};

class TSelTextBuf : public TSelTextCount {
 public:
  // Writes at most size - 1 characters and a terminating 0.
  TSelTextBuf(char16_t* buffer, int size) : Buffer(buffer), Size(size) {}
  void Put(const char16_t* chars, int count) override;
  // Terminates the buffer; returns the characters written plus one.
  int Total() override;

 private:
  char16_t* Buffer;
  int Size;
};

class TSelTextString : public TSelTextCount {
 public:
  void Put(const char16_t* chars, int count) override;
  void PutUnmarked(const char16_t* chars, int count) override {
    if (count > 0) Text.append(chars, static_cast<size_t>(count));
  }
  int Total() override { return static_cast<int>(Text.size()); }
  std::u16string Text;
};

}  // namespace folverin
