#include "generate/GeneratePage.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <unordered_map>

#include "base/Paths.h"
#include "base/Strings.h"
#include "base/TextFile.h"
#include "base/UserError.h"
#include "base/ZipWriter.h"
#include "document/CompanyEntry.h"
#include "generate/CompanyInfo.h"
#include "generate/Effects.h"
#include "generate/ItemRendering.h"
#include "generate/Placeholders.h"
#include "generate/Templates.h"
#include "platform/Context.h"

namespace fs = std::filesystem;

namespace pagora {
namespace {

constexpr const char* kTableStyle =
    "style=\"table-layout: fixed;WORD-BREAK: break-all; BORDER-COLLAPSE: collapse\" "
    "cellSpacing=0 cellPadding=0 width=\"90%\"";

// Hides the progress panel however the run ends.
class ProgressScope {
 public:
  explicit ProgressScope(Ui& ui) : ui_(ui) {}
  ~ProgressScope() { ui_.HideProgress(); }
  void Step(const std::string& caption, int position) { ui_.ShowProgress(caption, position, 100); }

 private:
  Ui& ui_;
};

int BorderMode(const CatalogPage& page) {
  const std::string value(Trim(page.GetSetting("{显示框线}")));
  if (value.empty()) return 2;
  const bool negative = value[0] == '-';
  const auto number = ParseDecimal(negative ? std::string_view(value).substr(1) : value);
  if (!number) throw UserError("“{显示框线}”的值“" + value + "”不是一个有效的整数。");
  return negative ? -*number : *number;
}

std::string TableAttributes(int borderMode, int mask, const std::string& colour) {
  std::string text = kTableStyle;
  if ((borderMode & mask) == mask) text += " border=1" + colour;
  return text;
}

std::string RowHeightStyle(const CatalogPage& page) {
  const auto height = ParseDecimal(Trim(page.GetSetting("{行高}")));
  if (!height) return "<style>tr{height:28px;}</style>";
  if (*height == 0) return {};
  return "<style>tr{height:" + std::to_string(*height) + "px;}</style>";
}

// Thirty upper-case hexadecimal digits of a new GUID.
std::string GuidDigits(IdSource& ids) {
  std::string digits;
  for (const char c : ids.NewGuid()) {
    if (c != '-' && c != '{' && c != '}') digits += c;
  }
  return digits.substr(0, 30);
}

std::string OutFolder(const CatalogPage& page, const std::string& appDir) {
  std::string out(page.GetSetting("{输出目录}"));
  out.erase(0, out.find_first_not_of(" \t"));
  if (out.empty()) out = appDir + "输出";
  if (!IsAbsoluteStoredPath(out)) out = appDir + LocalRelativePath(out);
  return out;
}

int ItemBlockCount(const CatalogPage& page) {
  int count = 0;
  for (const std::string& line : page.Text()) count += BlockNumberOfHeader(line) > 0;
  return count;
}

void AppendLines(Lines& lines, const std::string& text) {
  Lines split = SplitLines(text);
  lines.insert(lines.end(), std::make_move_iterator(split.begin()),
               std::make_move_iterator(split.end()));
}

void MakeFolder(const std::string& folder) {
  std::error_code error;
  fs::create_directories(folder, error);
  if (error) throw UserError("无法创建文件夹“" + folder + "”：" + error.message());
}

void RemoveFile(const std::string& path) {
  std::error_code error;
  fs::remove(path, error);
}

}  // namespace

void RemovePagePictures(const std::string& pageDir) {
  const std::string images = pageDir + "images";
  std::error_code error;
  for (auto it = fs::recursive_directory_iterator(images, error);
       !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
    if (it->is_regular_file()) fs::remove(it->path(), error);
  }
  fs::remove(images, error);  // only succeeds when empty
}

namespace {

void SaveHtml(const std::string& path, const Lines& html) {
  WriteTextLines(path, html);
}

// What PAGEDIR holds once the pictures are in images/: its own files, with the page's
// pictures named images/NAME and read from where they are (a later one of the same
// name wins, as a replacing copy would).
std::vector<ZipEntry> PageZipEntries(const GeneratedPage& page, const std::string& zip) {
  std::vector<ZipEntry> entries = ZipEntriesOfFolder(page.pageDir, zip);
  std::unordered_map<std::string, size_t> byName;
  for (size_t i = 0; i < entries.size(); ++i) byName[entries[i].name] = i;
  for (const std::string& picture : page.copies) {
    if (!FileExists(picture)) continue;
    const std::string name = "images/" + FileNameOf(picture);
    const auto [at, added] = byName.try_emplace(name, entries.size());
    if (added) {
      entries.push_back({picture, name});
    } else {
      entries[at->second].source = picture;
    }
  }
  std::sort(entries.begin(), entries.end(),
            [](const ZipEntry& a, const ZipEntry& b) { return a.name < b.name; });
  return entries;
}

std::string DeliverExe(GeneratedPage& page, Context& context) {
  Shell& shell = context.shell;
  std::string rar = context.appDir + "rar";
  if (!FileExists(rar)) rar = shell.FindProgram("rar");
  if (rar.empty()) {
    context.ui.Warn(
        "自解压文件",
        "没有找到RAR压缩程序（rar），无法生成自解压文件（EXE）。请安装rar，或改用其他输出方式。");
    return {};
  }
  SaveHtml(page.pageDir + "catalog2.htm", page.html);
  const std::string exe = page.pageDir + page.number + ".exe";
  const int status = shell.RunProgram(rar,
                                      {"a", "-z" + context.appDir + "rarsfx.s", "-sfx", "-r", "-df",
                                       "-k", "-s", "-ep1", "-cfg-", exe, page.pageDir + "*"},
                                      FolderOf(rar));
  if (status != 0 || !FileExists(exe)) {
    context.ui.ShowMessage(
        "自解压文件", "RAR压缩程序没有生成自解压文件（退出代码 " + std::to_string(status) + "）。",
        MessageIcon::Error, MessageButtons::Ok);
    return {};
  }
  return exe;
}

}  // namespace

void ZipProgress(Ui& ui, int percent) {
  ui.ShowProgress("文件打包中... " + std::to_string(percent) + "%", 50 + percent / 2, 100);
}

GeneratedPage ComposePage(const CatalogPage& page, Context& context, OutputMode mode,
                          const std::string& baseFolder, bool forceChinese) {
  Ui& ui = context.ui;
  const std::string& appDir = context.appDir;
  GeneratedPage generated;
  generated.mode = mode;
  generated.baseFolder = baseFolder;
  const PathStyle style{mode == OutputMode::Preview,
                        mode == OutputMode::Chm || !baseFolder.empty()};

  // 1. Template.
  ui.ShowProgress("建立模板***", 10, 100);
  const std::string language =
      forceChinese ? "中文" : std::string(Trim(page.GetSetting("{输出语言}")));
  const std::string templateName(Trim(page.GetSetting("{输出风格}")));
  HeadFoot headFoot = BuildHeadFoot(appDir, templateName, language);
  const bool chinese = language == "中文";
  const std::string colourSetting = page.GetSetting("{框线颜色}");
  const std::string colour = " borderColor=" + (colourSetting.empty() ? "#000000" : colourSetting);
  const int borderMode = BorderMode(page);

  // 2. Placeholder values; earlier definitions win.
  PlaceholderValues values;
  if (FileExists(appDir + kCustomDefinitionsFile)) {
    values.AddAll(ReadTextLines(appDir + kCustomDefinitionsFile).lines);
  }
  if (FileExists(appDir + "html/自定义名称.txt")) {
    values.AddAll(ReadTextLines(appDir + "html/自定义名称.txt").lines);
  }
  values.Define("{当前日期}", context.clock.ShortDate());
  values.Define("{当前时间}", context.clock.LongTime());
  values.Define("{GUID}", GuidDigits(context.ids));
  ui.ShowProgress("载入公司信息***", 15, 100);
  values.AddAll(CompanyPlaceholderLines(appDir, chinese));
  const EffectValues effects = BuildEffectValues(page, appDir, style, generated.copies);
  values.Define("{head}", effects.head);
  values.Define("{body}", effects.bodyAttribute);
  values.Define("{table1}", TableAttributes(borderMode, 1, colour));
  values.Define("{table2}", TableAttributes(borderMode, 2, colour));
  values.Define("{table3}", TableAttributes(borderMode, 4, colour));
  values.Define("{style}", RowHeightStyle(page));
  const PlaceholderFallback settings = [&](std::string_view name) { return page.GetSetting(name); };

  // 3, 4. Head and foot.
  ui.ShowProgress("创建页首文件***", 20, 100);
  std::string head = FillPlaceholders(std::move(headFoot.head), values, settings);
  head += effects.musicTag + effects.bodySnippet;
  ui.ShowProgress("创建页脚文件***", 25, 100);
  const std::string foot = FillPlaceholders(std::move(headFoot.foot), values, settings);

  // 5. Output environment.
  ui.ShowProgress("创建输出环境***", 30, 100);
  generated.number = page.GetSetting("{Catalog编号}");
  generated.outFolder = WithTrailingSlash(OutFolder(page, appDir));

  // 6. One table per item, from one skeleton.
  const int count = ItemBlockCount(page);
  Lines& html = generated.html;
  AppendLines(html, head);
  if (count > 0) {
    const ItemTable table = BuildItemTable(appDir, templateName, language);
    ItemRenderer renderer(page, appDir, style, table, generated.copies);
    html.reserve(html.size() + size_t(count) + 64);
    int shown = -1;
    for (int i = 1; i <= count; ++i) {
      const int position = 30 + int(std::lround(50.0 * i / count));
      if (position != shown || i == count) {
        ui.ShowProgress("编译资料 " + std::to_string(i) + "/" + std::to_string(count), position,
                        100);
        shown = position;
      }
      html.push_back(FillPlaceholders(table.skeleton, values, [&](std::string_view name) {
        return renderer.RenderItemPlaceholder(i, name);
      }));
    }
  }
  // 7. Compose.
  ui.ShowProgress("合成目标文件***", 85, 100);
  AppendLines(html, foot);
  return generated;
}

std::string GeneratePage(const CatalogPage& page, ItemNumbers& numbers, Context& context,
                         const PageGenerationRequest& request, OutputBranches* branches,
                         SettingsCheckResult* check) {
  Ui& ui = context.ui;
  const SettingsCheckResult checked = CheckPageSettings(page, numbers, context);
  if (check) *check = checked;
  if (!checked.accepted) return {};
  const std::string number = page.GetSetting("{Catalog编号}");
  if (!IsSafeFolderName(number)) {
    ui.ShowMessage("错误", "无效的catalog编号，输出终止。", MessageIcon::Warning,
                   MessageButtons::Ok);
    return {};
  }

  ProgressScope progress(ui);
  const OutputMode mode = ModeOfRequest(request.request, page.GetSetting("{输出方式}"));
  GeneratedPage generated =
      ComposePage(page, context, mode, request.baseFolder, checked.forceChinese);

  if (mode == OutputMode::Preview) {
    MakeFolder(context.appDir + "tmp");
    const std::string preview = context.appDir + "tmp/tmpfile.htm";
    SaveHtml(preview, generated.html);
    progress.Step("启动预览***", 95);
    context.shell.OpenPath(preview);
    return preview;
  }

  // Delivery. A page of a book goes to the book's folder: its own output folder is
  // neither asked for nor created.
  const bool inBook = !request.baseFolder.empty();
  if (!inBook && !FolderExists(generated.outFolder)) {
    const auto chosen = ui.ChooseFolder("输出路径无效，请重新选择：");
    generated.outFolder = WithTrailingSlash(chosen ? *chosen : context.appDir + "输出");
  }
  generated.pageDir =
      inBook ? WithTrailingSlash(request.baseFolder) : generated.outFolder + generated.number + "/";
  generated.imagesDir = generated.pageDir + "images/";
  MakeFolder(generated.pageDir);
  MakeFolder(generated.imagesDir);
  // The single-file outputs take the pictures from where they are: copies that would be
  // deleted again right after packing are not made (a CHM is compiled from the sources,
  // a ZIP names them as images/NAME, an MHT embeds them).
  const bool packedFromSources = !inBook && (mode == OutputMode::Zip || mode == OutputMode::Mht);
  if (mode != OutputMode::Chm && !packedFromSources) {
    CopyList existing;
    for (const std::string& file : generated.copies) {
      if (FileExists(file)) existing.push_back(file);
    }
    if (!existing.empty()) context.shell.CopyFiles(existing, generated.imagesDir, ui);
  }
  progress.Step("后期处理***", 90);
  if (!inBook) {
    for (const char* extension : {".chm", ".zip", ".rar", ".exe"}) {
      RemoveFile(generated.pageDir + generated.number + extension);
    }
  }

  std::string result;
  const std::string htm = generated.pageDir + generated.number + ".htm";
  switch (mode) {
    case OutputMode::Html:
      if (request.baseFolder.empty()) {
        result = htm;
      } else {
        result = generated.imagesDir + context.ids.NewGuid() + ".htm";
      }
      SaveHtml(result, generated.html);
      break;
    case OutputMode::Zip: {
      SaveHtml(htm, generated.html);
      const std::string zip = generated.pageDir + generated.number + ".zip";
      WriteZip(zip, PageZipEntries(generated, zip), [&](int percent) { ZipProgress(ui, percent); });
      RemovePagePictures(generated.pageDir);
      RemoveFile(htm);
      result = zip;
      break;
    }
    case OutputMode::Exe:
      result = DeliverExe(generated, context);
      break;
    case OutputMode::Mht:
    case OutputMode::Chm:
    case OutputMode::Package:
    case OutputMode::PackageSource:
      if (!branches) {
        throw UserError(
            "这个版本还不能生成这种输出（MHT、CHM 或 Catalog包），请选择 HTML 或 ZIP。");
      }
      result = branches->Deliver(page, generated, context);
      break;
    case OutputMode::Preview:
      break;
  }
  if (request.openFolder && !result.empty()) context.shell.OpenPath(generated.pageDir);
  return result;
}

}  // namespace pagora
