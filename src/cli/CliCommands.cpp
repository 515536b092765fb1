#include "cli/CliCommands.h"

#include <filesystem>
#include <iostream>
#include <map>
#include <utility>

#include "base/Paths.h"
#include "base/Strings.h"
#include "base/TextFile.h"
#include "base/UserError.h"
#include "document/PageRepair.h"
#include "editor/BulkCommands.h"
#include "editor/GridItemNumbers.h"
#include "editor/PackageFlows.h"
#include "editor/PageFlows.h"
#include "editor/ProductGrid.h"
#include "editor/Search.h"
#include "generate/GeneratePage.h"
#include "output/BookOutput.h"
#include "output/PageOutputBranches.h"

namespace pagora {

const char* const kCliUsage =
    "usage: pagora-cli [--appdir DIR] [--yes] COMMAND ARGS...\n"
    "\n"
    "  new PAGE.pgt                  create a new page (an existing file is kept unless --yes)\n"
    "  get PAGE.pgt KEY              print a setting, e.g. {Catalog编号}\n"
    "  set PAGE.pgt KEY VALUE        set a setting and save\n"
    "  field PAGE.pgt N FIELD VALUE  write field of item N and save; FIELD is one of\n"
    "                                picture number name price unit weight spec desc\n"
    "  items PAGE.pgt                print the items: N, picture, then the seven fields\n"
    "  import PAGE.pgt PATH...       import pictures (jpg, gif, bmp) and folders, and save\n"
    "  repair PAGE.pgt               repair a damaged page file and save\n"
    "  output PAGE.pgt KIND [--open] generate the page and print the file made; KIND is\n"
    "                                settings (the page's own output kind), html, zip,\n"
    "                                mht, chm, pga, exe or preview\n"
    "  unpack PKG.pga                open a package and print the page or book it holds\n"
    "  book BOOK.pgs KIND            output a book; KIND: html, zip, chm, mht, pga, preview\n"
    "  book-add BOOK.pgs FILE...     add pages or other files to a book\n"
    "  fill PAGE.pgt COMMAND [ANSWER] [--row R]\n"
    "                                a bulk command as if the current cell were on row R\n"
    "                                (default 1): number-from-picture, number-prefix, price,\n"
    "                                price-factor, name-from-picture, name-from-number,\n"
    "                                name-prefix, name, weight, weight-factor, unit, spec,\n"
    "                                copy-desc, copy-values\n"
    "  swap PAGE.pgt A B [--pictures] exchange two items (or only their pictures)\n"
    "  move PAGE.pgt FROM TO         move an item to another position\n"
    "  search KEYWORD [--book BOOK.pgs] [--case]\n"
    "                                saved pages (of the history, or of a book) holding it\n"
    "  quick [--title T] [--out DIR] --kind KIND PATH...\n"
    "                                pictures and folders to a catalog in one step\n"
    "\n"
    "Messages are printed to stderr as \"[caption] text\"; questions are answered No\n"
    "unless --yes is given. Exit status: 0 done, 1 failed or nothing produced, 2 usage.\n";

namespace {

// The open page with its grid, as the window holds them, without thumbnails.
struct PageSession {
  explicit PageSession(Context& context) : context(context), grid(page, context) {
    grid.SetThumbnailsEnabled(false);
  }

  // Pages are opened by their absolute path: relative picture paths are resolved
  // against the page's folder, and the output refers to them absolutely.
  void Open(const std::string& path) {
    if (!FileExists(path)) throw UserError("页面文件不存在：" + path);
    const std::string absolute = std::filesystem::absolute(path).lexically_normal().string();
    if (!OpenPage(page, grid, context, absolute)) throw UserError("不是页面文件（*.pgt）：" + path);
  }
  void Save() {
    page.SaveText(page.Path());
    page.SetModified(false);
  }

  Context& context;
  CatalogPage page;
  ProductGrid grid;
};

void ExpectArgs(const std::vector<std::string>& args, size_t min, size_t max) {
  if (args.size() < min || args.size() > max) {
    throw UsageError("wrong number of arguments for '" + args[0] + "'");
  }
}

std::string AbsolutePath(const std::string& path) {
  return std::filesystem::absolute(path).lexically_normal().string();
}

ItemField ParseField(const std::string& name) {
  static const std::map<std::string, ItemField> kFields = {
      {"picture", ItemField::Picture}, {"number", ItemField::Number}, {"name", ItemField::Name},
      {"price", ItemField::Price},     {"unit", ItemField::Unit},     {"weight", ItemField::Weight},
      {"spec", ItemField::Spec},       {"desc", ItemField::Desc}};
  const auto found = kFields.find(name);
  if (found == kFields.end()) throw UsageError("unknown field '" + name + "'");
  return found->second;
}

bool HasBlocks(const CatalogPage& page) {
  for (const std::string& line : page.Text()) {
    if (BlockNumberOfHeader(line) > 0) return true;
  }
  return false;
}

// Page and web files are added to a book; books are not opened here.
class NoBook final : public BookFileAdder {
 public:
  explicit NoBook(Ui& ui) : ui_(ui) {}
  void AddFileToBook(const std::string& path) override {
    ui_.Inform("导入", "没有打开目录册，未加入：" + path);
  }

 private:
  Ui& ui_;
};

int NewCommand(const std::vector<std::string>& args, Context& context, bool answerYes) {
  ExpectArgs(args, 2, 2);
  const std::string& path = args[1];
  if (std::filesystem::exists(path) && !answerYes) {
    context.ui.Warn("新建页面", "文件已经存在，未覆盖：" + path);
    return kExitFailed;
  }
  CatalogPage page;
  page.ReplaceText(CreateNewPageText(context.appDir, context.clock).lines);
  page.SaveText(path);
  return kExitOk;
}

int GetCommand(const std::vector<std::string>& args, Context& context) {
  ExpectArgs(args, 3, 3);
  PageSession session(context);
  session.Open(args[1]);
  if (!FindKeyLine(session.page.Text(), args[2])) {
    context.ui.Warn("读取设置", "页面中没有这项设置：" + args[2]);
    return kExitFailed;
  }
  std::cout << session.page.GetSetting(args[2]) << "\n";
  return kExitOk;
}

int SetCommand(const std::vector<std::string>& args, Context& context) {
  ExpectArgs(args, 4, 4);
  PageSession session(context);
  session.Open(args[1]);
  session.page.StoreSetting(args[2], args[3]);
  session.Save();
  return kExitOk;
}

int FieldCommand(const std::vector<std::string>& args, Context& context) {
  ExpectArgs(args, 5, 5);
  const auto n = ParseDecimal(args[2]);
  if (!n || *n < 1) throw UsageError("item number must be 1 or more");
  const ItemField field = ParseField(args[3]);
  PageSession session(context);
  session.Open(args[1]);
  ProductGrid& grid = session.grid;
  const int count = HasBlocks(session.page) ? grid.ItemCount() : 0;
  if (*n > count + 1) {
    throw UserError("第" + std::to_string(*n) + "个商品资料不存在（页面有" + std::to_string(count) +
                    "个），只能写入现有的商品或在末尾添加一个。");
  }
  if (*n > grid.ItemCount()) grid.AppendItemRows();
  const auto [column, row] = ProductGrid::CellOfField(field, *n);
  grid.SetCellText(column, row, args[4]);
  if (!grid.WriteCellToPage(column, row)) return kExitFailed;
  session.Save();
  return kExitOk;
}

int ItemsCommand(const std::vector<std::string>& args, Context& context) {
  ExpectArgs(args, 2, 2);
  PageSession session(context);
  session.Open(args[1]);
  if (!HasBlocks(session.page)) {
    context.ui.Inform("商品资料", "页面中没有商品资料：" + args[1]);
    return kExitFailed;
  }
  for (int k = 1; k <= session.grid.ItemCount(); ++k) {
    const ProductItem& item = session.grid.Item(k);
    std::cout << k << '\t' << item.picture;
    for (const FieldText& field : item.fields) std::cout << '\t' << field.value;
    std::cout << '\n';
  }
  return kExitOk;
}

int ImportCommand(const std::vector<std::string>& args, Context& context) {
  ExpectArgs(args, 3, size_t(-1));
  PageSession session(context);
  session.Open(args[1]);
  std::vector<std::string> paths;
  for (size_t i = 2; i < args.size(); ++i) {
    paths.push_back(AbsolutePath(args[i]));
    if (!std::filesystem::exists(paths.back())) throw UserError("文件不存在：" + args[i]);
  }
  const size_t before = session.page.Text().size();
  NoBook book(context.ui);
  session.grid.ImportPaths(paths, &book);
  if (session.page.Text().size() == before) {
    context.ui.Inform("导入", "没有导入任何图片（支持jpg、gif、bmp文件和含有jpg文件的文件夹）。");
    return kExitFailed;
  }
  session.Save();
  return kExitOk;
}

int RepairCommand(const std::vector<std::string>& args, Context& context) {
  ExpectArgs(args, 2, 2);
  PageSession session(context);
  session.Open(args[1]);
  RepairPageCommand(session.page, context, session.grid.Reloader());
  session.Save();
  return kExitOk;
}

PageOutputRequest ParseOutputKind(const std::string& kind) {
  static const std::map<std::string, PageOutputRequest> kKinds = {
      {"settings", PageOutputRequest::FromSettings},
      {"html", PageOutputRequest::Html},
      {"zip", PageOutputRequest::Zip},
      {"exe", PageOutputRequest::Exe},
      {"mht", PageOutputRequest::Mht},
      {"chm", PageOutputRequest::Chm},
      {"pga", PageOutputRequest::Package},
      {"preview", PageOutputRequest::Preview}};
  const auto found = kKinds.find(kind);
  if (found == kKinds.end()) throw UsageError("unknown output kind '" + kind + "'");
  return found->second;
}

// Generates the open page and prints what was made.
int Generate(PageSession& session, PageOutputRequest request, bool openFolder) {
  GridItemNumbers numbers(session.grid);
  PageGenerationRequest generation;
  generation.request = request;
  generation.openFolder = openFolder;
  PageOutputBranches branches;
  const std::string made =
      GeneratePage(session.page, numbers, session.context, generation, &branches);
  if (made.empty()) return kExitFailed;
  std::cout << made << "\n";
  return kExitOk;
}

int OutputCommand(const std::vector<std::string>& args, Context& context) {
  ExpectArgs(args, 3, 4);
  const bool openFolder = args.size() == 4;
  if (openFolder && args[3] != "--open") throw UsageError("unknown option '" + args[3] + "'");
  const PageOutputRequest request = ParseOutputKind(args[2]);
  PageSession session(context);
  session.Open(args[1]);
  return Generate(session, request, openFolder);
}

int QuickCommand(const std::vector<std::string>& args, Context& context) {
  std::string title, out, kind;
  std::vector<std::string> paths;
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--title" || arg == "--out" || arg == "--kind") {
      if (i + 1 >= args.size()) throw UsageError(arg + " needs a value");
      (arg == "--title" ? title : arg == "--out" ? out : kind) = args[++i];
    } else {
      paths.push_back(arg);
    }
  }
  if (kind.empty()) throw UsageError("quick needs --kind");
  if (paths.empty()) throw UsageError("quick needs pictures or folders");
  const PageOutputRequest request = ParseOutputKind(kind);

  PageSession session(context);
  CreateNewPage(session.page, session.grid, context);
  std::vector<std::string> absolute;
  for (const std::string& path : paths) {
    absolute.push_back(AbsolutePath(path));
    if (!std::filesystem::exists(absolute.back())) throw UserError("文件不存在：" + path);
  }
  NoBook book(context.ui);
  session.grid.ImportPaths(absolute, &book);
  if (!HasBlocks(session.page)) {
    context.ui.Inform("导入", "没有导入任何图片（支持jpg、gif、bmp文件和含有jpg文件的文件夹）。");
    return kExitFailed;
  }
  if (!title.empty()) session.page.StoreSetting("{Catalog名称}", title);
  if (!out.empty()) {
    const std::string folder = AbsolutePath(out);
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) throw UserError("无法创建文件夹“" + folder + "”：" + error.message());
    session.page.StoreSetting("{输出目录}", folder);
  }
  return Generate(session, request, false);
}

int UnpackCommand(const std::vector<std::string>& args, Context& context) {
  ExpectArgs(args, 2, 2);
  EditorSession session(context);
  session.grid.SetThumbnailsEnabled(false);
  if (!OpenPackage(session, AbsolutePath(args[1]))) return kExitFailed;
  std::cout << (session.packageHoldsBook ? session.book.Path() : session.page.Path()) << "\n";
  return kExitOk;
}

int BookCommand(const std::vector<std::string>& args, Context& context) {
  ExpectArgs(args, 3, 3);
  static const std::map<std::string, BookOutputKind> kKinds = {
      {"html", BookOutputKind::Html},   {"zip", BookOutputKind::Zip},
      {"chm", BookOutputKind::Chm},     {"mht", BookOutputKind::Mht},
      {"pga", BookOutputKind::Package}, {"preview", BookOutputKind::Preview}};
  const auto kind = kKinds.find(args[2]);
  if (kind == kKinds.end()) throw UsageError("unknown book output kind '" + args[2] + "'");
  if (!FileExists(args[1])) throw UserError("目录册文件不存在：" + args[1]);
  CatalogBook book;
  book.Load(AbsolutePath(args[1]));
  BookOutputRequest request;
  request.kind = kind->second;
  const BookOutputResult result = OutputBook(book, request, context);
  if (!result.done) return kExitFailed;
  std::cout << result.path << "\n";
  return kExitOk;
}

int BookAddCommand(const std::vector<std::string>& args, Context& context) {
  ExpectArgs(args, 3, size_t(-1));
  if (!FileExists(args[1])) throw UserError("目录册文件不存在：" + args[1]);
  CatalogBook book;
  book.Load(AbsolutePath(args[1]));
  for (size_t i = 2; i < args.size(); ++i) {
    if (!FileExists(args[i])) throw UserError("文件不存在：" + args[i]);
    book.AppendEntry(AbsolutePath(args[i]));
  }
  book.Save();
  return kExitOk;
}

// Answers the one question a command line gave in advance; everything else goes on
// to the command line's own Ui.
class AnsweringUi final : public Ui {
 public:
  AnsweringUi(Ui& ui, std::optional<std::string> answer) : ui_(ui), answer_(std::move(answer)) {}
  Answer ShowMessage(std::string_view caption, std::string_view text, MessageIcon icon,
                     MessageButtons buttons) override {
    if (buttons == MessageButtons::OkCancel) return Answer::Ok;  // the command was asked for
    return ui_.ShowMessage(caption, text, icon, buttons);
  }
  std::optional<std::string> InputBox(std::string_view, std::string_view,
                                      std::string_view) override {
    return std::exchange(answer_, std::nullopt);
  }
  std::optional<std::string> ChooseFolder(std::string_view title) override {
    return ui_.ChooseFolder(title);
  }
  std::vector<std::string> ChooseOpenFiles(const FileDialogRequest& r) override {
    return ui_.ChooseOpenFiles(r);
  }
  std::optional<std::string> ChooseSaveFile(const FileDialogRequest& r) override {
    return ui_.ChooseSaveFile(r);
  }
  void ShowProgress(std::string_view caption, int position, int maximum) override {
    ui_.ShowProgress(caption, position, maximum);
  }
  void HideProgress() override { ui_.HideProgress(); }

 protected:
  void SetBusyCursor(bool) override {}

 private:
  Ui& ui_;
  std::optional<std::string> answer_;
};

int FillCommand(const std::vector<std::string>& args, Context& context) {
  static const std::map<std::string, BulkCommand> kCommands = {
      {"number-from-picture", BulkCommand::NumberFromPicture},
      {"number-prefix", BulkCommand::NumberPrefix},
      {"price", BulkCommand::FixedPrice},
      {"price-factor", BulkCommand::PriceFactor},
      {"name-from-picture", BulkCommand::NameFromPicture},
      {"name-from-number", BulkCommand::NameFromNumber},
      {"name-prefix", BulkCommand::NamePrefix},
      {"name", BulkCommand::FixedName},
      {"weight", BulkCommand::FixedWeight},
      {"weight-factor", BulkCommand::WeightFactor},
      {"unit", BulkCommand::Unit},
      {"spec", BulkCommand::Spec},
      {"copy-desc", BulkCommand::CopyDescription},
      {"copy-values", BulkCommand::CopyValues}};
  std::vector<std::string> rest;
  int row = 1;
  for (size_t i = 1; i < args.size(); ++i) {
    if (args[i] == "--row") {
      const auto value = i + 1 < args.size() ? ParseDecimal(args[i + 1]) : std::nullopt;
      if (!value || *value < 1) throw UsageError("--row needs a row number");
      row = *value;
      ++i;
    } else {
      rest.push_back(args[i]);
    }
  }
  if (rest.size() < 2 || rest.size() > 3) throw UsageError("wrong number of arguments for 'fill'");
  const auto command = kCommands.find(rest[1]);
  if (command == kCommands.end()) throw UsageError("unknown fill command '" + rest[1] + "'");
  AnsweringUi ui(context.ui, rest.size() == 3 ? std::optional<std::string>(rest[2]) : std::nullopt);
  Context answering{ui, context.clock, context.ids, context.appDir, context.shell};
  PageSession session(answering);
  session.Open(rest[0]);
  if (row >= session.grid.RowCount()) throw UserError("第" + std::to_string(row) + "行不存在。");
  session.grid.SetCurrentCell(3, row);
  const std::string before = EncodeTextLines(session.page.Text());
  RunBulkCommand(session.grid, answering, command->second);
  if (EncodeTextLines(session.page.Text()) == before) return kExitFailed;
  session.Save();
  return kExitOk;
}

int SwapItemsCommand(const std::vector<std::string>& args, Context& context) {
  ExpectArgs(args, 4, 5);
  const bool pictures = args.size() == 5;
  if (pictures && args[4] != "--pictures") throw UsageError("unknown option '" + args[4] + "'");
  const auto a = ParseDecimal(args[2]), b = ParseDecimal(args[3]);
  if (!a || !b) throw UsageError("item numbers must be whole numbers");
  PageSession session(context);
  session.Open(args[1]);
  if (*a < 1 || *b < 1 || *a > session.grid.ItemCount() || *b > session.grid.ItemCount()) {
    SwapItems(session.grid, context, *a, *b, pictures);  // says the item does not exist
    return kExitFailed;
  }
  SwapItems(session.grid, context, *a, *b, pictures);
  session.Save();
  return kExitOk;
}

int MoveItemCommand(const std::vector<std::string>& args, Context& context) {
  ExpectArgs(args, 4, 4);
  const auto from = ParseDecimal(args[2]), to = ParseDecimal(args[3]);
  if (!from || !to) throw UsageError("item numbers must be whole numbers");
  PageSession session(context);
  session.Open(args[1]);
  const int count = session.grid.ItemCount();
  if (*from < 1 || *to < 1 || *from > count || *to > count) {
    context.ui.Warn("移动资料", "资料序号不存在");
    return kExitFailed;
  }
  MoveItem(session.grid, context, *from, *to);
  session.Save();
  return kExitOk;
}

int SearchCommand(const std::vector<std::string>& args, Context& context) {
  FileSearch search;
  for (size_t i = 1; i < args.size(); ++i) {
    if (args[i] == "--case") {
      search.matchCase = true;
    } else if (args[i] == "--book" && i + 1 < args.size()) {
      search.scope = SearchScope::CurrentBook;
      search.bookPath = AbsolutePath(args[++i]);
    } else if (search.keyword.empty()) {
      search.keyword = args[i];
    } else {
      throw UsageError("unexpected argument '" + args[i] + "'");
    }
  }
  if (search.keyword.empty()) throw UsageError("search needs a keyword");
  const FileSearchResult result = SearchFiles(search, context);
  for (const std::string& page : result.pages) std::cout << page << "\n";
  return result.pages.empty() ? kExitFailed : kExitOk;
}

}  // namespace

int RunCliCommand(const std::vector<std::string>& args, Context& context, bool answerYes) {
  if (args.empty()) throw UsageError("no command given");
  const std::string& command = args[0];
  if (command == "new") return NewCommand(args, context, answerYes);
  if (command == "get") return GetCommand(args, context);
  if (command == "set") return SetCommand(args, context);
  if (command == "field") return FieldCommand(args, context);
  if (command == "items") return ItemsCommand(args, context);
  if (command == "import") return ImportCommand(args, context);
  if (command == "repair") return RepairCommand(args, context);
  if (command == "output") return OutputCommand(args, context);
  if (command == "quick") return QuickCommand(args, context);
  if (command == "unpack") return UnpackCommand(args, context);
  if (command == "book") return BookCommand(args, context);
  if (command == "book-add") return BookAddCommand(args, context);
  if (command == "fill") return FillCommand(args, context);
  if (command == "swap") return SwapItemsCommand(args, context);
  if (command == "move") return MoveItemCommand(args, context);
  if (command == "search") return SearchCommand(args, context);
  throw UsageError("unknown command '" + command + "'");
}

}  // namespace pagora
