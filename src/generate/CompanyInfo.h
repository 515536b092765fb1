#pragma once

#include <array>
#include <string>

#include "base/KeyValueLines.h"

namespace pagora {

// The firm's contact details: "cols1.dat" (Chinese), "cols2.dat" (English) and
// "cols3.dat" (custom placeholder definitions) in AppDir, twelve lines each, line 0
// the column heading.

constexpr int kCompanyLines = 12;
using CompanyColumn = std::array<std::string, kCompanyLines>;

struct CompanyInfo {
  CompanyColumn chinese, english, custom;
};

// Row captions of the editor (rows 1 to 11) and the column headings.
extern const std::array<const char*, kCompanyLines> kCompanyRowCaptions;
inline constexpr const char* kChineseHeading = "中文内容";
inline constexpr const char* kEnglishHeading = "英文内容";
inline constexpr const char* kCustomHeading = "自定义内容，格式：{name}=text";

// The placeholders filled from lines 1 to 9 of the Chinese or English file.
extern const std::array<const char*, 10> kCompanyPlaceholders;  // index 0 unused

// Reads the three files; a missing file leaves its column with the heading only.
CompanyInfo ReadCompanyInfo(const std::string& appDir);

// Writes the three files ("保存"), or only the custom one ("仅保存自定义信息"),
// each as its twelve cells, atomically.
void SaveCompanyInfo(const std::string& appDir, const CompanyInfo& info, bool customOnly);

// The company lines of the placeholder values: for each of lines 1 to 9 that the file
// holds, its placeholder + "=" + the line. Empty when the file is missing.
Lines CompanyPlaceholderLines(const std::string& appDir, bool chinese);

}  // namespace pagora
