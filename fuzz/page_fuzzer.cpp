// Arbitrary bytes as a page file: decoding, loading the items, writing a field and
// the repair must never crash, whatever the file holds.

#include <cstdint>
#include <filesystem>

#include "base/Gb18030.h"
#include "base/Strings.h"
#include "base/TextFile.h"
#include "base/UserError.h"
#include "document/PageRepair.h"
#include "editor/ProductGrid.h"
#include "platform/Context.h"
#include "platform/FixedAnswerUi.h"
#include "platform/LinuxShell.h"

namespace {

using namespace pagora;

class FixedClock final : public Clock {
 public:
  std::tm Now() const override {
    std::tm t{};
    t.tm_year = 126;
    t.tm_mday = 1;
    return t;
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string appDir = [] {
    const auto dir = std::filesystem::temp_directory_path() / "pagora-fuzz-appdir";
    std::filesystem::create_directories(dir);
    return dir.string() + "/";
  }();
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  // Each question is answered from the input's first byte, so both branches get explored.
  FixedAnswerUi ui(size > 0 && (data[0] & 1) ? Answer::Yes : Answer::No);
  FixedClock clock;
  RandomIdSource ids;
  LinuxShell shell;
  Context context{ui, clock, ids, appDir, shell};

  CatalogPage page;
  page.ReplaceText(SplitLines(DecodeGb18030(bytes).utf8));
  ProductGrid grid(page, context);
  grid.SetThumbnailsEnabled(false);
  grid.FillGridFromPage();
  const int k = grid.ItemCount();
  grid.SetCellText(3, ProductGrid::FirstRowOfItem(k), "A001");
  grid.WriteCellToPage(3, ProductGrid::FirstRowOfItem(k));
  grid.SetCurrentCell(3, grid.RowCount() - 1);
  grid.InsertBlankItem();
  try {
    RepairPageCommand(page, context, grid.Reloader());
  } catch (const UserError&) {
  }
  EncodeTextLines(page.Text());
  return 0;
}
