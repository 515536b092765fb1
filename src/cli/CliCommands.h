#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Context.h"

namespace pagora {

// Exit codes of pagora-cli.
constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;  // the command failed or produced nothing
constexpr int kExitUsage = 2;

class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Runs one command (its name first, then its arguments). Throws UsageError for bad
// arguments and UserError for failures the user should read.
int RunCliCommand(const std::vector<std::string>& args, Context& context, bool answerYes);

extern const char* const kCliUsage;

}  // namespace pagora
