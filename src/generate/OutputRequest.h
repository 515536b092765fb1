#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace pagora {

// What a caller asks GeneratePage for.
enum class PageOutputRequest {
  FromSettings,
  Zip,
  Mht,
  Exe,
  Html,
  Chm,
  Package,
  PackageSource,
  Preview
};

// What a run delivers.
enum class OutputMode { Zip, Mht, Exe, Html, Chm, Package, PackageSource, Preview };

// The output kinds a page setting {输出方式} can hold.
inline constexpr std::string_view kOutputChm = "CHM(帮助文件类型)";
inline constexpr std::string_view kOutputZip = "ZIP(压缩文件类型)";
inline constexpr std::string_view kOutputMht = "MHT(单文件网页)";
inline constexpr std::string_view kOutputHtml = "HTML(网页文件类型)";
inline constexpr std::string_view kOutputPackage = "PGA(Catalog包文件)";

// The mode of a request; FromSettings reads the setting (surrounding blanks removed):
// unknown values give Zip, "单文件RAR" gives Exe, the package value gives the package
// source.
OutputMode ModeOfRequest(PageOutputRequest request, std::string_view outputSetting);

// The picture and sound files that travel with a page, in the order the page uses them.
using CopyList = std::vector<std::string>;

// How a generated page refers to a file it uses: the preview by the absolute path,
// a CHM and a page inside a book by the bare file name, everything else by
// "images/" + the file name.
struct PathStyle {
  bool preview = false;
  bool bareNames = false;
};
std::string SourceOf(const std::string& full, const PathStyle& style);

}  // namespace pagora
