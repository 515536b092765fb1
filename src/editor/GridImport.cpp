#include <dirent.h>
#include <fnmatch.h>
#include <algorithm>

#include "base/Paths.h"
#include "base/Strings.h"
#include "editor/ProductGrid.h"
#include "platform/Context.h"

namespace pagora {
namespace {

// Folders nested deeper than this are not followed (a link to a parent folder whose
// name ends in ".jpg" must not make an import go round forever).
constexpr int kMaxFolderDepth = 16;

struct FolderEntry {
  std::string name;
  bool folder;
};

std::vector<FolderEntry> ReadFolder(const std::string& folder) {
  std::vector<FolderEntry> entries;
  DIR* dir = opendir(folder.c_str());
  if (!dir) return entries;
  while (const dirent* entry = readdir(dir)) {
    const std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    entries.push_back({name, FolderExists(folder + name)});
  }
  closedir(dir);
  std::sort(entries.begin(), entries.end(), [](const FolderEntry& a, const FolderEntry& b) {
    const std::string ua = ToUpperAscii(a.name), ub = ToUpperAscii(b.name);
    return ua != ub ? ua < ub : a.name < b.name;
  });
  return entries;
}

void ListInto(const std::string& folder, const std::string& mask, bool recurse, int depth,
              std::vector<std::string>& out) {
  const std::vector<FolderEntry> entries = ReadFolder(folder);
  for (const FolderEntry& entry : entries) {
    if (fnmatch(mask.c_str(), entry.name.c_str(), FNM_CASEFOLD) == 0)
      out.push_back(folder + entry.name);
  }
  if (!recurse || depth >= kMaxFolderDepth) return;
  for (const FolderEntry& entry : entries) {
    if (entry.folder) ListInto(folder + entry.name + "/", mask, true, depth + 1, out);
  }
}

enum class ImportKind { Picture, BookFile, Other };

ImportKind KindOf(const std::string& path) {
  const std::string extension = ToUpperAscii(ExtensionOf(path));
  if (extension == ".JPG" || extension == ".GIF" || extension == ".BMP") return ImportKind::Picture;
  if (extension == ".HTM" || extension == ".TXT" || extension == ".PGT")
    return ImportKind::BookFile;
  return ImportKind::Other;
}

// Pictures in import order; folders stand for their own JPEG files.
void CollectPictures(const std::vector<std::string>& paths, BookFileAdder* book, int depth,
                     std::vector<std::string>& pictures) {
  for (const std::string& path : paths) {
    if (path.empty()) continue;
    if (FolderExists(path)) {
      if (depth < kMaxFolderDepth) {
        CollectPictures(ListFolderFiles(WithTrailingSlash(path), "*.jpg", false), book, depth + 1,
                        pictures);
      }
      continue;
    }
    switch (KindOf(path)) {
      case ImportKind::Picture:
        pictures.push_back(path);
        break;
      case ImportKind::BookFile:
        if (book) book->AddFileToBook(path);
        break;
      case ImportKind::Other:
        break;
    }
  }
}

// The path as the page stores it: relative (in "\" form) when the picture lies inside
// the page's folder, else the full path.
std::string StoredPicturePath(const std::string& full, const std::string& pageFolder) {
  if (pageFolder.empty() || !StartsWith(full, pageFolder)) return full;
  std::string rest = full.substr(pageFolder.size());
  rest.resize(Utf8Offset(rest, 256));
  return StoredRelativePath(rest);
}

}  // namespace

std::vector<std::string> ListFolderFiles(const std::string& folder, const std::string& mask,
                                         bool recurse) {
  std::vector<std::string> out;
  ListInto(WithTrailingSlash(folder), mask, recurse, 0, out);
  return out;
}

void ProductGrid::ImportPaths(const std::vector<std::string>& paths, BookFileAdder* book) {
  BusyCursor busy(context_.ui);
  std::vector<std::string> pictures;
  CollectPictures(paths, book, 0, pictures);
  if (pictures.empty()) return;

  const std::string pageFolder = page_.Folder();
  std::vector<int> receivers;
  receivers.reserve(pictures.size());
  for (const std::string& full : pictures) {
    int k = 1;
    if (!items_[0].picture.empty()) {
      AppendItemRows();
      k = ItemCount();
    }
    PlacePicture(k, StoredPicturePath(full, pageFolder), full);
    receivers.push_back(k);
  }

  ProgressPanel progress(context_.ui, int(pictures.size()));
  const std::string total = "总计文件：" + std::to_string(pictures.size()) + " 已经导入：";
  auto show = [&](size_t i) {
    if (progress.Due(int(i) + 1)) progress.Show(total + std::to_string(i + 1), int(i) + 1);
  };
  if (!thumbnailsEnabled_) {
    for (size_t i = 0; i < pictures.size(); ++i) show(i);
    return;
  }
  LoadThumbnailsInOrder(pictures, [&](size_t i, Thumbnail&& thumbnail) {
    thumbnails_[size_t(receivers[i] - 1)] = std::move(thumbnail);
    show(i);
  });
}

void ProductGrid::InsertPictures(const std::vector<std::string>& paths) {
  BusyCursor busy(context_.ui);
  const std::string pageFolder = page_.Folder();
  for (const std::string& full : paths) {
    InsertItemBefore(currentRow_);
    const int k = CurrentItem();
    PlacePicture(k, StoredPicturePath(full, pageFolder), full);
    if (thumbnailsEnabled_) thumbnails_[size_t(k - 1)] = LoadThumbnail(full);
  }
}

}  // namespace pagora
