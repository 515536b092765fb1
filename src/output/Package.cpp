#include "output/Package.h"

#include <filesystem>

#include "base/Paths.h"
#include "base/TextFile.h"
#include "base/ZipWriter.h"
#include "generate/GeneratePage.h"
#include "platform/Ui.h"

namespace pagora {
namespace {

// "KEY=" + "images\" + the file name of what follows KEY=, for one kind of path line.
bool RewritePath(std::string& line, std::string_view key, size_t limit) {
  const size_t at = line.find(key);
  if (at == std::string::npos) return false;
  std::string_view path = std::string_view(line).substr(at + key.size());
  path = path.substr(0, limit);
  const std::string name = FileNameOf(path);
  // An empty path stays empty: "images\" alone would name a folder.
  line = std::string(key) + (name.empty() ? "" : "images\\" + name);
  return true;
}

}  // namespace

Lines PortablePageSource(const CatalogPage& page) {
  Lines lines = page.Text();
  for (std::string& line : lines) {
    if (RewritePath(line, "{背景音乐}=", std::string::npos)) continue;
    // The background travels in images/ too, so it must be found there as well.
    if (RewritePath(line, "{背景图片}=", std::string::npos)) continue;
    RewritePath(line, "{$IMG}=", 512);
  }
  return lines;
}

std::string PackPackage(const std::string& folder, const std::string& source, bool book,
                        const std::string& packagePath, Ui& ui) {
  BusyCursor busy(ui);
  WriteTextLines(folder + "index.dat", {"index=" + source, book ? "type=PGS" : "type=PGT"});
  const std::string stem = source.size() > 4 ? source.substr(0, source.size() - 4) : source;
  const std::string package = packagePath.empty() ? folder + stem + ".pga" : packagePath;
  WriteZip(package, ZipEntriesOfFolder(folder, package),
           [&](int percent) { ZipProgress(ui, percent); });
  RemovePagePictures(folder);
  std::error_code error;
  std::filesystem::remove(folder + "index.dat", error);
  std::filesystem::remove(folder + stem + ".pgt", error);
  return package;
}

}  // namespace pagora
