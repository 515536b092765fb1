#pragma once

#include <string>
#include <vector>

namespace pagora {

struct Context;

// The logic of the start dialog "开始": recent books, new book, new page, open, tidy,
// clear, tutorial. The window shows `books` and calls these; each returns what the
// dialog ends with.
class StartDialog {
 public:
  enum class Result { Stay, Open, NewPage, Closed };

  explicit StartDialog(Context& context) : context_(context) {}

  // Fills the list from cts_history.txt when it exists.
  void Show();
  // Double-click on entry k: opens it when its file exists, else says it is gone.
  Result OpenEntry(size_t k);
  // "打开现有的目录册".
  Result OpenOther();
  // "仅删除不存在的记录".
  void RemoveMissingEntries();
  // "清空全部历史记录".
  void ClearHistory();
  // "打开学习教程".
  void OpenTutorial();

  const std::vector<std::string>& Books() const { return books_; }
  const std::string& ChosenPath() const { return chosen_; }

 private:
  std::string EntryPath(const std::string& entry) const;

  Context& context_;
  std::vector<std::string> books_;
  std::string chosen_;
};

// Double-click on a search result: a new instance of the program opens the page (Yes)
// or the first book of the history that lists it (No).
void OpenSearchResult(Context& context, const std::string& page);

}  // namespace pagora
