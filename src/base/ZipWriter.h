#pragma once

#include <functional>
#include <string>
#include <vector>

namespace pagora {

struct ZipEntry {
  std::string source;  // file on disk
  std::string name;    // name in the archive, relative, with "/" separators
};

// The files below `root` (subfolders included, sorted by name), named relative to it;
// `exclude` is left out (the archive being written inside the folder itself).
std::vector<ZipEntry> ZipEntriesOfFolder(const std::string& root, const std::string& exclude = "");

// Writes a new ZIP archive at `archive` (replacing an existing one only once the new
// one is complete). Files that are compressed already (pictures, archives) are stored,
// and their bytes copied by the kernel; everything else is deflated. Names are marked
// UTF-8. `progress` receives the total percent, 0 to 100. Throws UserError naming the
// archive when it cannot be written; no half-written archive is left behind.
void WriteZip(const std::string& archive, const std::vector<ZipEntry>& entries,
              const std::function<void(int percent)>& progress);

}  // namespace pagora
