#pragma once

#include <string>
#include <unordered_map>
#include <unordered_set>

namespace pagora {

// Answers "is this a regular file?" for many paths in few folders, as loading a page
// of thousands of pictures asks. After a few questions about one folder it lists the
// folder once and answers the rest from that list instead of asking the system for
// every file. Lives for one operation: it does not see files that appear later.
class FileExistenceCache {
 public:
  bool FileExists(const std::string& path);

 private:
  struct Folder {
    int questions = 0;
    bool listed = false;
    std::unordered_set<std::string> files;
  };
  void List(const std::string& folder, Folder& entry);

  std::unordered_map<std::string, Folder> folders_;
};

}  // namespace pagora
