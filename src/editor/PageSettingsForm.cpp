#include "editor/PageSettingsForm.h"

#include <filesystem>

#include "document/CompanyEntry.h"
#include "document/DefaultSettings.h"
#include "editor/PageFlows.h"
#include "platform/Context.h"

namespace pagora {

const std::array<const char*, PageSettingsForm::kRows + 1> PageSettingsForm::kCaptions = {
    "类型",
    "Catalog编号",
    "Catalog名称",
    "业务员名",
    "客户编号",
    "客户名称",
    "客户公司名",
    "日期",
    "货币符号",
    "产品单位",
    "重量单位",
    "行高(象素)",
    "",
    "输出目录",
    "输出方式(请选择)",
    "订单接收email地址",
    "Catalog说明",
    "Catalog说明",
    "备用"};

const std::array<const char*, PageSettingsForm::kRows + 1> PageSettingsForm::kKeys = {
    "",
    "{Catalog编号}",
    "{Catalog名称}",
    "{业务员名}",
    "{客户编号}",
    "{客户名称}",
    "{客户公司名}",
    "{日期}",
    "{货币符号}",
    "{产品单位}",
    "{重量单位}",
    "{行高}",
    "",
    "{输出目录}",
    "{输出方式}",
    "{订单接收email地址}",
    "{Catalog说明}",
    "",
    "{备用}"};

void PageSettingsForm::Open() {
  if (session_.page.Text().size() < 2)
    CreateNewPage(session_.page, session_.grid, session_.context);
  for (int row = 1; row <= kRows; ++row) {
    rows[size_t(row)] = *kKeys[size_t(row)] ? session_.page.GetSetting(kKeys[size_t(row)]) : "";
  }
  language = session_.page.GetSetting("{输出语言}") == "中文" ? "中文" : "英文";
}

void PageSettingsForm::ChooseLanguage(const std::string& choice) {
  language = choice;
  const bool english = choice == "英文";
  const std::string file =
      session_.context.appDir + (english ? kEnglishCompanyFile : kChineseCompanyFile);
  rows[13] = ReadCompanyEntry(file, kCompanyOutputFolderEntry);
  rows[15] = ReadCompanyEntry(file, kCompanyEmailEntry);
  if (english && rows[8] == "￥") rows[8] = "$";
  if (!english && rows[8] == "$") rows[8] = "￥";
  if (english) {
    session_.context.ui.ShowMessage("页面设置",
                                    "注意，使用英文输出方式时，使用了西欧编码，图片文件名当中不能含"
                                    "有中文，否则会不能正常显示。",
                                    MessageIcon::Warning, MessageButtons::Ok);
  }
}

void PageSettingsForm::SetSaveAsDefault(bool ticked) {
  saveAsDefault = ticked;
  if (!ticked) {
    std::error_code error;
    std::filesystem::remove(DefaultSettingsPath(session_.context.appDir), error);
  }
}

void PageSettingsForm::BrowseOutputFolder() {
  if (const auto chosen = session_.context.ui.ChooseFolder("请选择一个文件夹："))
    rows[13] = *chosen;
}

bool PageSettingsForm::Ok() {
  Ui& ui = session_.context.ui;
  if (rows[1].empty()) {
    ui.Warn("页面设置", "Catalog编号不能为空。");
    return false;
  }
  if (rows[15].empty()) {
    ui.Warn("页面设置", "订单接收email不能为空。");
    return false;
  }
  if (rows[11].empty()) rows[11] = "0";
  CatalogPage& page = session_.page;
  if (saveAsDefault) {
    DefaultSettings d;
    d.number = rows[1], d.title = rows[2], d.salesman = rows[3], d.customerNumber = rows[4];
    d.customerName = rows[5], d.customerCompany = rows[6], d.date = rows[7], d.currency = rows[8];
    d.productUnit = rows[9], d.weightUnit = rows[10], d.rowHeight = rows[11];
    d.outputFolder = rows[13], d.outputMode = rows[14], d.orderEmail = rows[15];
    d.description = rows[16];
    d.english = language == "英文";
    // The dialog has no rows for the table lines: the page's own values are kept.
    d.borderColour = page.GetSetting("{框线颜色}");
    d.borderMode = page.GetSetting("{显示框线}");
    WriteDefaultSettings(session_.context.appDir, d);
  }
  for (const int row : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 13, 14, 15, 16, 18}) {
    page.StoreSetting(kKeys[size_t(row)], rows[size_t(row)]);
  }
  page.StoreSetting("{输出语言}", language == "英文" ? "英文" : "中文");
  page.SetModified(true);
  session_.savedFlag = false;
  return true;
}

}  // namespace pagora
