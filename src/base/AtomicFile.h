#pragma once

#include <string>
#include <string_view>

namespace pagora {

// How much a write must survive: documents are flushed to disk before they replace the
// old file; generated outputs, which can be made again, only need to be whole.
enum class Durability { Flushed, Replaceable };

// Writes `bytes` to a temporary file in the target's folder and renames it over the
// target, so a crash or a full disk leaves the old file whole. An existing file keeps
// its permissions. Throws UserError on failure.
void WriteFileAtomically(const std::string& path, std::string_view bytes,
                         Durability durability = Durability::Flushed);

// Reads a whole file; throws UserError naming the file when it cannot be read.
std::string ReadWholeFile(const std::string& path);

}  // namespace pagora
