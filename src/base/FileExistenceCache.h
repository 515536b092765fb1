#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace pagora {

// Answers "is this a regular file?" for many paths in few folders, as loading a page
// of thousands of pictures asks. After a few questions about one folder it lists the
// folder once and answers the rest from that list instead of asking the system for
// every file. Lives for one operation: it does not see files that appear later.
class FileExistenceCache {
 public:
  bool FileExists(std::string_view path);

 private:
  // Lets the tables be searched with a string_view, without building a string.
  struct Hash {
    using is_transparent = void;
    size_t operator()(std::string_view text) const { return std::hash<std::string_view>()(text); }
  };
  using NameSet = std::unordered_set<std::string, Hash, std::equal_to<>>;
  struct Folder {
    int questions = 0;
    bool listed = false;
    NameSet files;
  };
  void List(const std::string& folder, Folder& entry);

  std::unordered_map<std::string, Folder, Hash, std::equal_to<>> folders_;
};

}  // namespace pagora
