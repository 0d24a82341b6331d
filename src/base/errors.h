// The program's own error kinds: std::exception with a fixed text and no string of their own,
// so raising one allocates nothing beyond the exception object and needs none of the standard
// library's string-holding exception classes.
#pragma once

#include <exception>

namespace vorlux {

class Error : public std::exception {
 public:
  explicit Error(const char* what) noexcept : what_(what) {}
  const char* what() const noexcept override { return what_; }

 private:
  const char* what_;
};

// A result outside the range of the integer type it has to fit in.
class OverflowError : public Error {
 public:
  using Error::Error;
};

// An index outside the table it looks into.
class RangeError : public Error {
 public:
  using Error::Error;
};

}  // namespace vorlux
