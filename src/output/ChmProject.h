#pragma once

#include <string>

#include "base/KeyValueLines.h"
#include "generate/OutputRequest.h"

namespace pagora {

// The HTML Help project of a single page: its HTML (the default topic) and pictures.
Lines SinglePageChmProject(const std::string& pageDir, const std::string& number,
                           const std::string& appDir, const std::string& language,
                           const CopyList& copies);

}  // namespace pagora
