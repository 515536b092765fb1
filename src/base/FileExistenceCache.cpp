#include "base/FileExistenceCache.h"

#include <dirent.h>

#include "base/Paths.h"

namespace pagora {
namespace {

// Below this many questions about a folder, asking for each file is cheaper than
// reading the whole folder.
constexpr int kQuestionsBeforeListing = 8;

}  // namespace

void FileExistenceCache::List(const std::string& folder, Folder& entry) {
  entry.listed = true;
  DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
  if (!dir) return;  // a missing folder holds no file
  while (const dirent* item = readdir(dir)) {
    const std::string name = item->d_name;
    if (item->d_type == DT_REG || ((item->d_type == DT_LNK || item->d_type == DT_UNKNOWN) &&
                                   pagora::FileExists(folder + name))) {
      entry.files.insert(name);
    }
  }
  closedir(dir);
}

bool FileExistenceCache::FileExists(std::string_view path) {
  const size_t slash = path.find_last_of('/');
  const std::string_view folder = slash == std::string_view::npos ? "" : path.substr(0, slash + 1);
  const std::string_view name = path.substr(folder.size());
  auto found = folders_.find(folder);
  if (found == folders_.end()) found = folders_.emplace(std::string(folder), Folder()).first;
  Folder& entry = found->second;
  if (!entry.listed && ++entry.questions <= kQuestionsBeforeListing) {
    return pagora::FileExists(std::string(path));
  }
  if (!entry.listed) List(std::string(folder), entry);
  return entry.files.find(name) != entry.files.end();
}

}  // namespace pagora
