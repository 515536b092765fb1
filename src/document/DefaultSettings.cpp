#include "document/DefaultSettings.h"

#include "base/TextFile.h"
#include "document/CatalogPage.h"

namespace pagora {

std::string DefaultSettingsPath(const std::string& appDir) {
  return appDir + "defaultset.txt";
}

Lines DefaultSettingsLines(const DefaultSettings& s) {
  return {
      std::string(kPageTypeLine),
      "{Catalog编号}=" + s.number,
      "{Catalog名称}=" + s.title,
      "{业务员名}=" + s.salesman,
      "{客户编号}=" + s.customerNumber,
      "{客户名称}=" + s.customerName,
      "{客户公司名}=" + s.customerCompany,
      "{日期}=" + s.date,
      "{货币符号}=" + s.currency,
      "{产品单位}=" + s.productUnit,
      "{重量单位}=" + s.weightUnit,
      "{框线颜色}=" + s.borderColour,
      "{显示框线}=" + s.borderMode,
      "{输出目录}=" + s.outputFolder,
      "{输出方式}=" + s.outputMode,
      "{输出风格}=默认",
      std::string(s.english ? "{输出语言}=英文" : "{输出语言}=中文"),
      "{订单接收email地址}=" + s.orderEmail,
      "{行高}=" + s.rowHeight,
      "{备用}=75",
      "{Catalog说明}=" + s.description,
  };
}

void WriteDefaultSettings(const std::string& appDir, const DefaultSettings& settings) {
  WriteTextLines(DefaultSettingsPath(appDir), DefaultSettingsLines(settings));
}

}  // namespace pagora
