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

bool FileExistenceCache::FileExists(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
  Folder& entry = folders_[folder];
  if (!entry.listed && ++entry.questions <= kQuestionsBeforeListing)
    return pagora::FileExists(path);
  if (!entry.listed) List(folder, entry);
  return entry.files.count(path.substr(slash == std::string::npos ? 0 : slash + 1)) > 0;
}

}  // namespace pagora
