#include "generate/CompanyInfoForm.h"

#include "base/Paths.h"
#include "document/CompanyEntry.h"
#include "platform/Context.h"

namespace pagora {

const std::string& CompanyInfoForm::appDir() const {
  return context_.appDir;
}

void CompanyInfoForm::Show() {
  cells.chinese[0] = kChineseHeading;
  cells.english[0] = kEnglishHeading;
  cells.custom[0] = kCustomHeading;
  const CompanyInfo files = ReadCompanyInfo(appDir());
  if (FileExists(appDir() + kChineseCompanyFile)) cells.chinese = files.chinese;
  if (FileExists(appDir() + kEnglishCompanyFile)) cells.english = files.english;
  if (FileExists(appDir() + kCustomDefinitionsFile)) cells.custom = files.custom;
}

void CompanyInfoForm::BrowseFolder(int column, int row) {
  if ((column != 1 && column != 2) || (row != 10 && row != 11)) return;
  const auto chosen = context_.ui.ChooseFolder("请选择一个文件夹：");
  (column == 1 ? cells.chinese : cells.english)[size_t(row)] = chosen.value_or("");
}

}  // namespace pagora
