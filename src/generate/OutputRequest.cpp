#include "generate/OutputRequest.h"

#include "base/Paths.h"
#include "base/Strings.h"

namespace pagora {

OutputMode ModeOfRequest(PageOutputRequest request, std::string_view outputSetting) {
  switch (request) {
    case PageOutputRequest::Zip:
      return OutputMode::Zip;
    case PageOutputRequest::Mht:
      return OutputMode::Mht;
    case PageOutputRequest::Exe:
      return OutputMode::Exe;
    case PageOutputRequest::Html:
      return OutputMode::Html;
    case PageOutputRequest::Chm:
      return OutputMode::Chm;
    case PageOutputRequest::Package:
      return OutputMode::Package;
    case PageOutputRequest::PackageSource:
      return OutputMode::PackageSource;
    case PageOutputRequest::Preview:
      return OutputMode::Preview;
    case PageOutputRequest::FromSettings:
      break;
  }
  const std::string_view value = Trim(outputSetting);
  if (value == kOutputMht) return OutputMode::Mht;
  if (value == "单文件RAR") return OutputMode::Exe;
  if (value == kOutputHtml) return OutputMode::Html;
  if (value == kOutputPackage) return OutputMode::PackageSource;
  if (value == kOutputChm) return OutputMode::Chm;
  return OutputMode::Zip;
}

std::string SourceOf(const std::string& full, const PathStyle& style) {
  if (style.preview) return full;
  if (!IsAbsoluteStoredPath(full)) return full;  // a network path is used as it is
  const std::string name = FileNameOf(full);
  return style.bareNames ? name : "images/" + name;
}

}  // namespace pagora
