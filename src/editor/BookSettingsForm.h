#pragma once

#include <string>

#include "editor/EditorSession.h"

namespace pagora {

// The logic of the book settings dialog "目录册信息": new book and book information.
class BookSettingsForm {
 public:
  explicit BookSettingsForm(EditorSession& session) : session_(session) {}

  // "新建目录册": empty fields, flags from the open book (or the usual ones).
  void BeginNew();
  // "修改目录册信息……": the open book's name, path and output folder.
  void BeginEdit();

  void EditName(std::string name);
  // Leaving the name field: a changed name names the file when none exists yet.
  void LeaveName();
  void BrowsePath();
  void BrowseOutput();

  // "保存": writes the book (a new one is remembered as pending and listed in the
  // history), and the defaults file when "设为缺省值" is ticked. Closes the dialog.
  void Save();
  void Cancel() { Reset(); }

  // After the dialog closed on a new book: asks when the page is modified, then
  // closes everything and opens the new book. False when nothing was opened.
  bool OpenPendingBook();

  std::string name, path, output;
  bool fullTextSearch = true, alwaysOpen = true, removeMark = false, setAsDefault = false;

 private:
  void TakeFlags();
  void Show();
  void Reset();

  EditorSession& session_;
  bool nameChanged_ = false;
};

}  // namespace pagora
