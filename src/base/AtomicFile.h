#pragma once

#include <string>
#include <string_view>

namespace pagora {

// Writes `bytes` to a temporary file in the target's folder, flushes it to disk and
// renames it over the target, so a crash or a full disk leaves the old file whole.
// An existing file keeps its permissions. Throws UserError on failure.
void WriteFileAtomically(const std::string& path, std::string_view bytes);

// Reads a whole file; throws UserError naming the file when it cannot be read.
std::string ReadWholeFile(const std::string& path);

}  // namespace pagora
