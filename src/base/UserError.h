#pragma once

#include <stdexcept>
#include <string>

namespace pagora {

// A failure whose message is meant for the user. Commands that do not handle a
// failure themselves throw this; the window's error handler and pagora-cli show it.
class UserError : public std::runtime_error {
 public:
  explicit UserError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace pagora
