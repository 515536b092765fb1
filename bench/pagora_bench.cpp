// Measurements behind bench/run.sh. Each command prints the best wall time of a few
// runs in seconds, so the script can set it against a peer tool on the same input.
//
//   make-page FILE N      write a page of N items (11 lines each)
//   load FILE             open the page into the grid model (text, items, no pictures)
//   field-write N         time of one field write in a page of N items
//   make-pictures DIR N   write N JPEG pictures of 3000 x 2000 pixels
//   import DIR            import the folder's pictures into a new page, with thumbnails
//   make-photos DIR N     write N JPEG pictures of about 300 KB (1600 x 1200)
//   generate DIR KIND     a page of the folder's pictures generated as KIND (zip, html)
//                         into DIR/out; prints the time of the generation alone
//   html-per-item N       time per item of generating the HTML of N items without pictures
//   book-zip DIR N        a book of N pages (6 pictures each) as ZIP; prints seconds per page
//   pdf DIR OUT N         a PDF of the first N pictures of DIR (copied first: the PDF
//                         takes the place of its pictures)
//   bulk N                time per item of numbering N items with a prefix
//   make-saved-pages DIR N  N saved pages of 100 items listed in DIR/app/history.txt
//   search DIR KEYWORD    search the saved pages of DIR for KEYWORD

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <iostream>
#include <map>
#include <memory>
#include <random>
#include <string>

#include "base/AppDir.h"
#include "base/ImageCodecs.h"
#include "base/Paths.h"
#include "base/TextFile.h"
#include "editor/BulkCommands.h"
#include "editor/GridItemNumbers.h"
#include "editor/PageFlows.h"
#include "editor/ProductGrid.h"
#include "editor/Search.h"
#include "generate/GeneratePage.h"
#include "output/BookOutput.h"
#include "output/PageOutputBranches.h"
#include "output/PdfBuilder.h"
#include "platform/Context.h"
#include "platform/FixedAnswerUi.h"
#include "platform/LinuxShell.h"

namespace {

using namespace pagora;

struct Session {
  FixedAnswerUi ui{Answer::No, &std::cerr};
  SystemClock clock;
  RandomIdSource ids;
  std::string appDir = std::filesystem::temp_directory_path().string() + "/";
  LinuxShell shell;
  Context context{ui, clock, ids, appDir, shell};
  CatalogPage page;
  ProductGrid grid{page, context};
};

double BestOf(int runs, const std::function<void()>& work) {
  double best = 1e9;
  for (int i = 0; i < runs; ++i) {
    const auto start = std::chrono::steady_clock::now();
    work();
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    best = std::min(best, took.count());
  }
  return best;
}

Lines PageOfItems(int items) {
  Session s;
  Lines text = CreateNewPageText(s.appDir, s.clock).lines;
  text.insert(text.end(), {"/*以下内容均由程序自动生成，一般用户无需自行修改。", "{detail}", ""});
  for (int n = 1; n <= items; ++n) {
    const std::string id = std::to_string(n);
    text.insert(text.end(),
                {"{$" + id + "}", "{$IMG}=images\\p" + id + ".jpg", "{$PID}=编号：!:HX-" + id,
                 "{$PNAME}=名称：!:陶瓷马克杯 " + id, "{$PPRICE}=单价：!:5.60",
                 "{$PUNIT}=单位：!:个", "{$PWEIGHT}=重量：!:320", "{$PSERIAL}=规格：!:350 ml",
                 "{$PNOTE}=描述：!:高温釉面<br>可进洗碗机，适合办公室与家庭使用",
                 "{$IMG_EX}= ", "{$NOTE_EX}= "});
  }
  return text;
}

int MakePage(const std::string& file, int items) {
  WriteTextLines(file, PageOfItems(items));
  return 0;
}

int Load(const std::string& file) {
  int count = 0;
  double seconds = 1e9;
  for (int run = 0; run < 15; ++run) {
    // Only the opening is timed; closing the page is not part of loading it.
    auto s = std::make_unique<Session>();
    s->grid.SetThumbnailsEnabled(false);
    seconds = std::min(seconds, BestOf(1, [&] { OpenPage(s->page, s->grid, s->context, file); }));
    count = s->grid.ItemCount();
  }
  std::cerr << "loaded " << count << " items\n";
  std::printf("%.6f\n", seconds);
  return 0;
}

int FieldWrite(int items) {
  Session s;
  s.page.ReplaceText(PageOfItems(items));
  s.grid.SetThumbnailsEnabled(false);
  s.grid.FillGridFromPage();
  const int k = items / 2;
  const auto [column, row] = ProductGrid::CellOfField(ItemField::Price, k);
  constexpr int kWrites = 2000;
  const double seconds = BestOf(3, [&] {
    for (int i = 0; i < kWrites; ++i) {
      s.grid.SetCellText(column, row, std::to_string(i));
      s.grid.WriteCellToPage(column, row);
    }
  });
  std::printf("%.9f\n", seconds / kWrites);
  return 0;
}

int MakePictures(const std::string& folder, int count, int width = 3000, int height = 2000) {
  std::filesystem::create_directories(folder);
  std::mt19937 random(7);
  RgbImage image = RgbImage::Blank(width, height);
  for (int i = 0; i < count; ++i) {
    const std::string path = folder + "/p" + std::to_string(1000 + i) + ".jpg";
    if (std::filesystem::exists(path)) continue;
    // A lit object on a gradient with sensor noise: about the size of a camera's JPEG.
    for (int y = 0; y < image.height; ++y) {
      uint8_t* row = image.Row(y);
      for (int x = 0; x < image.width; ++x) {
        const int dx = x - width / 2 - i, dy = y - height / 2;
        const bool object = dx * dx + dy * dy < (height / 3) * (height / 3);
        const int noise = int(random() % 24);
        row[x * 3] = uint8_t(object ? 180 + noise : 230 - y / 20 + noise / 2);
        row[x * 3 + 1] = uint8_t(object ? 60 + (x + i) % 40 + noise : 228 - y / 22 + noise / 2);
        row[x * 3 + 2] = uint8_t(object ? 50 + noise : 220 - y / 25 + noise / 2);
      }
    }
    const std::string bytes = EncodeJpeg(image, 88);
    FILE* out = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), out);
    std::fclose(out);
  }
  return 0;
}

int Import(const std::string& folder) {
  size_t decoded = 0;
  const double seconds = BestOf(3, [&] {
    Session s;
    CreateNewPage(s.page, s.grid, s.context);
    s.grid.ImportPaths({folder}, nullptr);
    decoded = 0;
    for (int k = 1; k <= s.grid.ItemCount(); ++k) decoded += s.grid.ThumbnailOf(k).Height() == 161;
  });
  std::cerr << "imported " << decoded << " thumbnails\n";
  std::printf("%.6f\n", seconds);
  return 0;
}

// A page of the folder's pictures, with the shipped templates, in a data folder of its own.
struct CatalogSession : Session {
  explicit CatalogSession(const std::string& folder) {
    const std::string bin = ProgramFolder();
    appDir = folder + "/app/";
    context.appDir = appDir;
    std::filesystem::create_directories(appDir);
    for (const char* entry : {"html", "css"}) {
      std::filesystem::copy(bin + entry, appDir + entry,
                            std::filesystem::copy_options::recursive |
                                std::filesystem::copy_options::overwrite_existing);
    }
    CreateNewPage(page, grid, context);
    grid.SetThumbnailsEnabled(false);
    page.StoreSetting("{Catalog编号}", "BENCH");
    page.StoreSetting("{输出目录}", folder + "/out");
    std::filesystem::create_directories(folder + "/out");
  }
};

int Generate(const std::string& folder, const std::string& kind) {
  CatalogSession s(folder);
  s.grid.ImportPaths({folder + "/photos"}, nullptr);
  for (int k = 1; k <= s.grid.ItemCount(); ++k) {
    const auto [column, row] = ProductGrid::CellOfField(ItemField::Name, k);
    s.grid.SetCellText(column, row, "商品 " + std::to_string(k));
    s.grid.WriteCellToPage(column, row);
  }
  GridItemNumbers numbers(s.grid);
  PageGenerationRequest request;
  static const std::map<std::string, PageOutputRequest> kKinds = {
      {"zip", PageOutputRequest::Zip},
      {"html", PageOutputRequest::Html},
      {"mht", PageOutputRequest::Mht},
      {"pga", PageOutputRequest::Package},
      {"pga-source", PageOutputRequest::PackageSource}};
  request.request = kKinds.at(kind);
  PageOutputBranches branches;
  std::string made;
  const double seconds =
      BestOf(3, [&] { made = GeneratePage(s.page, numbers, s.context, request, &branches); });
  std::cerr << "made " << made << "\n";
  std::printf("%.6f\n", seconds);
  return made.empty() && kind != "pga-source" ? 1 : 0;
}

int BookZip(const std::string& folder, int pages) {
  CatalogSession s(folder);
  const std::vector<std::string> photos = ListFolderFiles(folder + "/photos", "*.jpg", false);
  Lines book = NewBookLines({"BENCH", folder + "/out", true, true, false});
  for (int n = 1; n <= pages; ++n) {
    CatalogPage page;
    ProductGrid grid(page, s.context);
    grid.SetThumbnailsEnabled(false);
    CreateNewPage(page, grid, s.context);
    std::vector<std::string> six;
    for (int i = 0; i < 6; ++i) six.push_back(photos[size_t((n * 6 + i) % int(photos.size()))]);
    grid.ImportPaths(six, nullptr);
    page.StoreSetting("{Catalog编号}", "P" + std::to_string(n));
    const std::string path = folder + "/book/p" + std::to_string(n) + ".pgt";
    std::filesystem::create_directories(folder + "/book");
    page.SaveText(path);
    book.push_back(path);
  }
  WriteTextLines(folder + "/book/bench.pgs", book);
  CatalogBook catalog;
  catalog.Load(folder + "/book/bench.pgs");
  BookOutputRequest request;
  request.kind = BookOutputKind::Zip;
  BookOutputResult result;
  const double seconds = BestOf(3, [&] { result = OutputBook(catalog, request, s.context); });
  std::cerr << "made " << result.path << "\n";
  std::printf("%.6f\n", seconds / pages);
  return result.done ? 0 : 1;
}

int HtmlPerItem(int items) {
  const std::string folder = std::filesystem::temp_directory_path().string() + "/pagora-bench-html";
  CatalogSession s(folder);
  Lines text = s.page.Text();
  const Lines many = PageOfItems(items);
  text.insert(text.end(), many.begin() + 21, many.end());
  s.page.ReplaceText(text);
  s.page.StoreSetting("{Catalog编号}", "BENCH");
  s.page.StoreSetting("{输出目录}", folder + "/out");
  s.page.EditText([](Lines& lines) {
    for (std::string& line : lines) {
      if (line.rfind("{$IMG}=", 0) == 0) line = "{$IMG}=";
    }
  });
  struct NoNumbers final : ItemNumbers {
    int ItemCount() const override { return 0; }
    std::string Value(int, ItemField) const override { return {}; }
    void SetValue(int, ItemField, const std::string&) override {}
  } numbers;
  PageGenerationRequest request;
  request.request = PageOutputRequest::Html;
  const double seconds = BestOf(3, [&] { GeneratePage(s.page, numbers, s.context, request); });
  std::printf("%.9f\n", seconds / items);
  return 0;
}

int Pdf(const std::string& folder, const std::string& out, int count) {
  std::vector<std::string> photos = ListFolderFiles(folder, "*.jpg", false);
  photos.resize(std::min<size_t>(photos.size(), size_t(count)));
  double best = 1e9;
  for (int run = 0; run < 3; ++run) {
    const std::string work = out + "/pictures/";
    std::filesystem::remove_all(work);
    std::filesystem::create_directories(work);
    std::vector<std::string> copies;
    for (const std::string& photo : photos) {
      copies.push_back(work + FileNameOf(photo));
      std::filesystem::copy_file(photo, copies.back());
    }
    best = std::min(best, BestOf(1, [&] { BuildPdf(out + "/pagora.pdf", copies); }));
  }
  std::printf("%.6f\n", best);
  return 0;
}

int Bulk(int items) {
  Session s;
  s.page.ReplaceText(PageOfItems(items));
  s.grid.SetThumbnailsEnabled(false);
  s.grid.FillGridFromPage();
  s.ui.SetInput("HX-");
  const double seconds =
      BestOf(3, [&] { RunBulkCommand(s.grid, s.context, BulkCommand::NumberPrefix); });
  std::printf("%.9f\n", seconds / items);
  return 0;
}

int MakeSavedPages(const std::string& folder, int count) {
  std::filesystem::create_directories(folder + "/pages");
  std::filesystem::create_directories(folder + "/app");
  Lines history;
  const Lines page = PageOfItems(100);
  for (int n = 0; n < count; ++n) {
    const std::string path = folder + "/pages/p" + std::to_string(n) + ".pgt";
    Lines text = page;
    if (n == count - 1) text.back() = "{$NOTE_EX}= 独一无二的关键字";
    WriteTextLines(path, text);
    history.push_back(path);
  }
  WriteTextLines(folder + "/app/history.txt", history);
  return 0;
}

int Search(const std::string& folder, const std::string& keyword) {
  Session s;
  s.context.appDir = folder + "/app/";
  FileSearch search{keyword, SearchScope::AllBooks, false, "", nullptr};
  FileSearchResult result;
  const double seconds = BestOf(3, [&] { result = SearchFiles(search, s.context); });
  std::cerr << "found " << result.pages.size() << " of " << result.searched << "\n";
  std::printf("%.6f\n", seconds);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> a(argv + 1, argv + argc);
  if (a.size() == 3 && a[0] == "make-page") return MakePage(a[1], std::stoi(a[2]));
  if (a.size() == 2 && a[0] == "load") return Load(a[1]);
  if (a.size() == 2 && a[0] == "field-write") return FieldWrite(std::stoi(a[1]));
  if (a.size() == 3 && a[0] == "make-pictures") return MakePictures(a[1], std::stoi(a[2]));
  if (a.size() == 2 && a[0] == "import") return Import(a[1]);
  if (a.size() == 3 && a[0] == "make-photos")
    return MakePictures(a[1], std::stoi(a[2]), 1600, 1200);
  if (a.size() == 3 && a[0] == "generate") return Generate(a[1], a[2]);
  if (a.size() == 2 && a[0] == "html-per-item") return HtmlPerItem(std::stoi(a[1]));
  if (a.size() == 3 && a[0] == "book-zip") return BookZip(a[1], std::stoi(a[2]));
  if (a.size() == 4 && a[0] == "pdf") return Pdf(a[1], a[2], std::stoi(a[3]));
  if (a.size() == 2 && a[0] == "bulk") return Bulk(std::stoi(a[1]));
  if (a.size() == 3 && a[0] == "make-saved-pages") return MakeSavedPages(a[1], std::stoi(a[2]));
  if (a.size() == 3 && a[0] == "search") return Search(a[1], a[2]);
  std::cerr << "usage: see the comment at the top of pagora_bench.cpp\n";
  return 2;
}
