// Which files the full-text search looks at, and the text it searches in.
#pragma once

#include <cstddef>
#include <memory>
#include <stdexcept>
#include <string_view>

#include "common/ansi_string.h"

namespace folverin {

// A document that the search counts but cannot read (vanished, locked, no
// permission, a folder with a document's name).
class TDocumentReadError : public std::runtime_error {
 public:
  explicit TDocumentReadError(const AnsiString& fileName);
  const AnsiString& FileName() const { return fileName_; }

 private:
  AnsiString fileName_;
};

// .htm, .html, .hcm and .hcml in any letter case: the documents the search
// counts and evaluates.
bool IsSearchDocument(std::string_view name);

// Only .htm and .html documents have text; every other file's text is empty
// and need not be read.
bool HasDocumentText(std::string_view fileName);

// The text of one document at a time: the file's bytes up to the first
// byte 0, ASCII upper-cased, as the term test compares them. The memory is
// reused from document to document and never cleared in between.
class TDocumentText {
 public:
  // The name is the exact one listed by the walk, so no letter-case lookup
  // is done. Throws TDocumentReadError. The text stays valid until the next
  // Read.
  std::string_view Read(std::string_view fileName);

 private:
  bool ReadFrom(int fd);

  std::unique_ptr<char[]> data_;
  size_t capacity_ = 0;
  size_t size_ = 0;
};

// ASCII letters a to z upper-cased in place; every other byte stays.
void UpperCaseInPlace(char* text, size_t size);

}  // namespace folverin
