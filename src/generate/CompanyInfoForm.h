#pragma once

#include "generate/CompanyInfo.h"

namespace pagora {

struct Context;

// The logic of the dialog "公司信息": a grid of the three company files side by side.
class CompanyInfoForm {
 public:
  explicit CompanyInfoForm(Context& context) : context_(context) {}

  // Headings, then each existing file's lines from the top; a missing file leaves its
  // column as it was.
  void Show();
  // The folder buttons of rows 10 and 11 in the Chinese (1) and English (2) columns;
  // a cancelled chooser empties the cell.
  void BrowseFolder(int column, int row);
  // "保存" writes all three files, "仅保存自定义信息" only the custom one.
  void Save() { SaveCompanyInfo(appDir(), cells, false); }
  void SaveCustomOnly() { SaveCompanyInfo(appDir(), cells, true); }

  CompanyInfo cells;

 private:
  const std::string& appDir() const;
  Context& context_;
};

}  // namespace pagora
