#include "document/CatalogPage.h"

#include "base/Clock.h"
#include "base/Paths.h"
#include "base/TextFile.h"
#include "document/CompanyEntry.h"
#include "document/DefaultSettings.h"
#include "document/ProductItem.h"

namespace pagora {

void CatalogPage::Changed() {
  if (text_.size() > 3) modified_ = true;
}

void CatalogPage::ReplaceText(Lines lines) {
  text_ = std::move(lines);
  Changed();
}

void CatalogPage::ReplaceLine(size_t index, std::string line) {
  text_.at(index) = std::move(line);
  Changed();
}

void CatalogPage::InsertLines(size_t index, const Lines& lines) {
  text_.insert(text_.begin() + static_cast<std::ptrdiff_t>(index), lines.begin(), lines.end());
  Changed();
}

void CatalogPage::EraseLines(size_t first, size_t last) {
  text_.erase(text_.begin() + static_cast<std::ptrdiff_t>(first),
              text_.begin() + static_cast<std::ptrdiff_t>(last));
  Changed();
}

void CatalogPage::AppendLine(std::string line) {
  text_.push_back(std::move(line));
  Changed();
}

void CatalogPage::Clear() {
  text_.clear();
  path_.clear();
  displayName_.clear();
  modified_ = false;
}

int CatalogPage::LoadText(const std::string& path) {
  TextLines file = ReadTextLines(path);
  text_ = std::move(file.lines);
  return file.firstBadLine;
}

void CatalogPage::SaveText(const std::string& path) const {
  WriteTextLines(path, text_);
}

std::string CatalogPage::GetSetting(std::string_view key) const {
  return ValueOfKey(text_, key);
}

void CatalogPage::SetSetting(std::string_view key, std::string_view value) {
  AssignKey(text_, key, value);
  Changed();
}

void CatalogPage::StoreSetting(std::string_view key, std::string_view value) {
  SetSetting(key, value.empty() ? std::string_view(" ") : value);
}

size_t CatalogPage::FindBlock(int n) const {
  const std::string header = BlockHeader(n);
  // The two positions of the standard layouts (eleven- and nine-line blocks), then a scan.
  for (const size_t guess : {size_t(11) * size_t(n) + 13, size_t(9) * size_t(n) + 15}) {
    if (guess < text_.size() && text_[guess] == header) return guess;
  }
  for (size_t i = 0; i < text_.size(); ++i) {
    if (text_[i] == header) return i;
  }
  return text_.empty() ? 0 : text_.size() - 1;
}

std::optional<size_t> CatalogPage::FindBlockHeader(int n) const {
  const size_t at = FindBlock(n);
  if (at < text_.size() && text_[at] == BlockHeader(n)) return at;
  return std::nullopt;
}

std::string CatalogPage::Folder() const {
  return path_.empty() ? std::string() : FolderOf(path_);
}

NewPageText CreateNewPageText(const std::string& appDir, const Clock& clock) {
  NewPageText page;
  const std::string defaults = DefaultSettingsPath(appDir);
  if (FileExists(defaults)) {
    page.lines = ReadTextLines(defaults).lines;
    page.fromDefaultsFile = true;
    return page;
  }
  const std::string date = clock.ShortDate();
  const std::string company = appDir + kChineseCompanyFile;
  page.lines = {
      std::string(kPageTypeLine),
      "{Catalog编号}=新建目录页" + date,
      "{Catalog名称}=新建页面",
      "{业务员名}=" + ReadCompanyEntry(company, kCompanyContactEntry),
      "{客户编号}=",
      "{客户名称}=",
      "{客户公司名}=",
      "{日期}=" + date,
      "{货币符号}=￥",
      "{产品单位}=个",
      "{重量单位}=克",
      "{框线颜色}=#000000",
      "{显示框线}=1",
      "{输出目录}=",
      "{输出方式}=CHM(帮助文件类型)",
      "{输出风格}=默认",
      "{输出语言}=中文",
      "{订单接收email地址}=" + ReadCompanyEntry(company, kCompanyEmailEntry),
      "{行高}=28",
      "{备用}=75",
      "{Catalog说明}=",
  };
  return page;
}

}  // namespace pagora
