#pragma once

#include <string>

#include "base/Clock.h"
#include "platform/Shell.h"
#include "platform/Ui.h"

namespace pagora {

// What a core operation needs of the outside world.
struct Context {
  Ui& ui;
  const Clock& clock;
  IdSource& ids;
  std::string appDir;  // with a trailing "/"
  Shell& shell;
};

}  // namespace pagora
