#include "output/PageOutputBranches.h"

#include <algorithm>
#include <filesystem>
#include <memory>

#include "base/TextFile.h"
#include "base/UserError.h"
#include "output/ChmProject.h"
#include "output/MhtWriter.h"
#include "platform/ChmCompiler.h"
#include "platform/Context.h"

namespace pagora {

namespace {

// Shows each line of the compiler in the progress panel, moving the bar a step each.
TChmCompiler::Progress ChmProgress(Ui& ui) {
  auto position = std::make_shared<int>(90);
  return [&ui, position](const std::string& line) {
    *position = std::min(100, *position + 1);
    ui.ShowProgress(line, *position, 100);
  };
}

std::string DeliverChm(const CatalogPage& page, GeneratedPage& generated, Context& context) {
  const std::string tmp = context.appDir + "tmp/";
  std::error_code error;
  std::filesystem::create_directories(tmp, error);
  WriteTextLines(tmp + "tmpfile.htm", generated.html);
  WriteTextLines(tmp + "tmpchm.hhp",
                 SinglePageChmProject(generated.pageDir, generated.number, context.appDir,
                                      page.GetSetting("{输出语言}"), generated.copies));
  TChmCompiler::Instance().Compile(tmp + "tmpchm.hhp", ChmProgress(context.ui));
  RemovePagePictures(generated.pageDir);
  std::filesystem::remove(generated.pageDir + generated.number + ".htm", error);
  return generated.pageDir + generated.number + ".chm";
}

}  // namespace

std::string PageOutputBranches::Deliver(const CatalogPage& page, GeneratedPage& generated,
                                        Context& context) {
  if (generated.mode == OutputMode::Chm) return DeliverChm(page, generated, context);
  if (generated.mode != OutputMode::Mht) {
    throw UserError("这个版本还不能生成Catalog包，请选择 HTML、ZIP、MHT 或 CHM。");
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
