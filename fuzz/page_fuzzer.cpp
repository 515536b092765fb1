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

namespace {

using namespace pagora;

// Answers each question from the input's first byte, so both branches get explored.
class FuzzUi final : public Ui {
 public:
  explicit FuzzUi(bool yes) : yes_(yes) {}
  Answer ShowMessage(std::string_view, std::string_view, MessageIcon, MessageButtons b) override {
    if (b == MessageButtons::Ok) return Answer::Ok;
    return yes_ ? Answer::Yes : Answer::No;
  }
  std::optional<std::string> InputBox(std::string_view, std::string_view,
                                      std::string_view) override {
    return std::nullopt;
  }
  std::optional<std::string> ChooseFolder(std::string_view) override { return std::nullopt; }
  std::vector<std::string> ChooseOpenFiles(const FileDialogRequest&) override { return {}; }
  std::optional<std::string> ChooseSaveFile(const FileDialogRequest&) override {
    return std::nullopt;
  }
  void ShowProgress(std::string_view, int, int) override {}
  void HideProgress() override {}

 protected:
  void SetBusyCursor(bool) override {}

 private:
  bool yes_;
};

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
  FuzzUi ui(size > 0 && (data[0] & 1));
  FixedClock clock;
  RandomIdSource ids;
  Context context{ui, clock, ids, appDir};

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
    RepairPageCommand(page, context, [&] {
      grid.ResetGrid();
      grid.FillGridFromPage();
    });
  } catch (const UserError&) {
  }
  EncodeTextLines(page.Text());
  return 0;
}
