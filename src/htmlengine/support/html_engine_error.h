// Errors of the HTML engine. A parse ends quietly on any of them and the
// document keeps what was built so far.
#pragma once

#include <stdexcept>

namespace folverin {

class EHtmlEngineError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class EParseError : public EHtmlEngineError {
 public:
  using EHtmlEngineError::EHtmlEngineError;
};

// A table with more columns than layout can handle.
class ETableColumnsError : public EHtmlEngineError {
 public:
  ETableColumnsError() : EHtmlEngineError("Table has too many Columns") {}
};

}  // namespace folverin
