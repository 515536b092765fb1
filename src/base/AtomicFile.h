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

// Puts a copy of `source` in place of `target`: the copy is made beside the target and
// renamed over it, so a failure leaves the target as it was. Throws UserError.
void ReplaceFileWithCopy(const std::string& source, const std::string& target);

// Reads a whole file; throws UserError naming the file when it cannot be read.
std::string ReadWholeFile(const std::string& path);

}  // namespace pagora
