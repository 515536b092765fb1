#include "output/PageOutputBranches.h"

#include <algorithm>
#include <filesystem>
#include <memory>

#include "base/Paths.h"
#include "base/TextFile.h"
#include "output/ChmProject.h"
#include "output/MhtWriter.h"
#include "output/Package.h"
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

std::string DeliverPackage(const CatalogPage& page, GeneratedPage& generated, Context& context) {
  const Lines source = PortablePageSource(page);
  if (!generated.baseFolder.empty()) {
    // A page of a book package: the book output packs the whole book later.
    const std::string name = FileNameOf(page.Path().empty() ? page.DisplayName() : page.Path());
    const std::string path =
        WithTrailingSlash(generated.baseFolder) + name.substr(0, name.find('.')) + ".pgt";
    WriteTextLines(path, source);
    return path;
  }
  WriteTextLines(generated.pageDir + "catalog.pgt", source);
  if (generated.mode == OutputMode::PackageSource) return {};
  return PackPackage(generated.pageDir, "catalog.pgt", false, "", context.ui);
}

}  // namespace

std::string PageOutputBranches::Deliver(const CatalogPage& page, GeneratedPage& generated,
                                        Context& context) {
  if (generated.mode == OutputMode::Chm) return DeliverChm(page, generated, context);
  if (generated.mode == OutputMode::Package || generated.mode == OutputMode::PackageSource) {
    return DeliverPackage(page, generated, context);
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
