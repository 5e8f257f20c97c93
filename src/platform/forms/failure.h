#pragma once
// A failure that the forms runtime reports in a message box: an exception carrying its text.
// Lighter than std::runtime_error, whose reference-counted message links a second string
// implementation into the program.

#include <exception>
#include <string>
#include <utility>

namespace ventrix::forms {

class Failure : public std::exception {
 public:
  explicit Failure(std::string text) : text_(std::move(text)) {}
  const char* what() const noexcept override { return text_.c_str(); }

 private:
  std::string text_;
};

}  // namespace ventrix::forms
