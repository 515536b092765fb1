#include "editor/PageFlows.h"

#include "base/Paths.h"
#include "base/Strings.h"
#include "base/TextFile.h"
#include "platform/Context.h"

namespace pagora {

bool OpenPage(CatalogPage& page, ProductGrid& grid, Context& context, const std::string& path) {
  page.Clear();
  grid.ResetGrid();
  if (ToUpperAscii(ExtensionOf(path)) != ".PGT" || !FileExists(path)) return false;
  BusyCursor busy(context.ui);
  const int badLine = page.LoadText(path);
  page.SetPath(path);
  page.SetDisplayName(FileNameOf(path));
  page.SetModified(false);
  if (badLine != 0) {
    context.ui.Warn("打开页面", UndecodableTextMessage(path, badLine) +
                                    "无法识别的字节显示为“\xEF\xBF\xBD”，保存时将以此字符代替。");
  }
  grid.FillGridFromPage();
  return true;
}

void CreateNewPage(CatalogPage& page, ProductGrid& grid, Context& context) {
  page.Clear();
  grid.ResetGrid();
  page.ReplaceText(CreateNewPageText(context.appDir, context.clock).lines);
  page.SetModified(true);
}

}  // namespace pagora
