#include "output/PageOutputBranches.h"

#include <filesystem>

#include "base/TextFile.h"
#include "base/UserError.h"
#include "output/MhtWriter.h"
#include "platform/Context.h"

namespace pagora {

std::string PageOutputBranches::Deliver(const CatalogPage& page, GeneratedPage& generated,
                                        Context& context) {
  if (generated.mode != OutputMode::Mht) {
    throw UserError("这个版本还不能生成这种输出（CHM 或 Catalog包），请选择 HTML、ZIP 或 MHT。");
  }
  const std::string htm = generated.pageDir + generated.number + ".htm";
  WriteTextLines(htm, generated.html);
  MhtRequest request;
  request.htmlPath = htm;
  request.files = generated.copies;
  request.number = page.GetSetting("{Catalog编号}");
  request.chinese = page.GetSetting("{输出语言}") == "中文";
  const std::string mht = WriteMht(request, context.ui);
  RemovePagePictures(generated.pageDir);
  std::error_code error;
  std::filesystem::remove(htm, error);
  return mht;
}

}  // namespace pagora
