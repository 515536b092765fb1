#pragma once

#include <array>
#include <string>

#include "editor/EditorSession.h"

namespace pagora {

// The logic of the page settings dialog "页面设置": the value cells of its 18 rows, the
// language choice and "保存为默认设置".
class PageSettingsForm {
 public:
  static constexpr int kRows = 18;

  explicit PageSettingsForm(EditorSession& session) : session_(session) {}

  // Fills the cells from the open page (making a page first when none is open).
  void Open();
  // The language drop-down: swaps the output folder, the order e-mail and the currency
  // sign between the Chinese and the English company information.
  void ChooseLanguage(const std::string& language);
  // "保存为默认设置": unticking deletes the defaults file at once.
  void SetSaveAsDefault(bool ticked);
  // The browse button of the output folder.
  void BrowseOutputFolder();
  // "确定": checks the two required values (false keeps the dialog open), then writes
  // the page settings and, when ticked, the defaults file.
  bool Ok();

  // Row captions of the grid, and the page key each value row edits (empty: none).
  static const std::array<const char*, kRows + 1> kCaptions;
  static const std::array<const char*, kRows + 1> kKeys;

  std::array<std::string, kRows + 1> rows;  // rows[1] .. rows[18]
  std::string language = "中文";
  bool saveAsDefault = false;

 private:
  EditorSession& session_;
};

}  // namespace pagora
