#include "generate/CompanyInfo.h"

#include "base/Paths.h"
#include "base/TextFile.h"
#include "document/CompanyEntry.h"

namespace pagora {

const std::array<const char*, kCompanyLines> kCompanyRowCaptions = {
    "类型", "公司名",   "联系人",   "手机",     "电话",         "传真",
    "网址", "邮件地址", "公司地址", "邮政编码", "工程保存路径", "Catalog输出路径"};

const std::array<const char*, 10> kCompanyPlaceholders = {
    "",       "{公司名}", "{联系人}",   "{移动电话}", "{联系电话}",
    "{传真}", "{网址}",   "{电子邮件}", "{公司地址}", "{邮政编码}"};

namespace {

CompanyColumn ReadColumn(const std::string& path, const char* heading) {
  CompanyColumn column;
  column[0] = heading;
  if (!FileExists(path)) return column;
  const Lines lines = ReadTextLines(path).lines;
  for (size_t i = 0; i < lines.size() && i < column.size(); ++i) column[i] = lines[i];
  return column;
}

void WriteColumn(const std::string& path, const CompanyColumn& column) {
  WriteTextLines(path, Lines(column.begin(), column.end()));
}

}  // namespace

CompanyInfo ReadCompanyInfo(const std::string& appDir) {
  return {ReadColumn(appDir + kChineseCompanyFile, kChineseHeading),
          ReadColumn(appDir + kEnglishCompanyFile, kEnglishHeading),
          ReadColumn(appDir + kCustomDefinitionsFile, kCustomHeading)};
}

void SaveCompanyInfo(const std::string& appDir, const CompanyInfo& info, bool customOnly) {
  if (!customOnly) {
    WriteColumn(appDir + kChineseCompanyFile, info.chinese);
    WriteColumn(appDir + kEnglishCompanyFile, info.english);
  }
  WriteColumn(appDir + kCustomDefinitionsFile, info.custom);
}

Lines CompanyPlaceholderLines(const std::string& appDir, bool chinese) {
  const std::string path = appDir + (chinese ? kChineseCompanyFile : kEnglishCompanyFile);
  Lines result;
  if (!FileExists(path)) return result;
  const Lines lines = ReadTextLines(path).lines;
  for (size_t i = 1; i <= 9 && i < lines.size(); ++i) {
    result.push_back(std::string(kCompanyPlaceholders[i]) + "=" + lines[i]);
  }
  return result;
}

}  // namespace pagora
