#pragma once

#include <functional>
#include <string>

namespace pagora {

// Extracts every file of a ZIP archive below `destination`, recreating folders and
// overwriting existing files. Entry names are taken as UTF-8 when they are valid
// UTF-8, else in the Chinese code page (archives made on Chinese Windows carry no
// UTF-8 flag); "\" separates folders too. An entry that would leave the destination
// (absolute, "..", a drive letter) or that is a link is refused, and the whole
// archive with it. Returns the number of files extracted; throws UserError when the
// archive cannot be read.
int ExtractZip(const std::string& archive, const std::string& destination);

}  // namespace pagora
