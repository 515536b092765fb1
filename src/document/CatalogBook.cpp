#include "document/CatalogBook.h"

#include <filesystem>

#include "base/Paths.h"
#include "base/Strings.h"
#include "base/TextFile.h"

namespace pagora {
namespace {

const char* Flag(bool value) {
  return value ? "true" : "false";
}

}  // namespace

void CatalogBook::Load(const std::string& path) {
  Lines lines = ReadTextLines(path).lines;
  std::erase_if(lines, [](const std::string& line) { return line.empty(); });
  text_ = std::move(lines);
  path_ = path;
}

void CatalogBook::Save() const {
  WriteTextLines(path_, text_);
}

void CatalogBook::Clear() {
  text_.clear();
  path_.clear();
}

void CatalogBook::StoreSetting(std::string_view key, std::string_view value) {
  AssignKey(text_, key, value.empty() ? std::string_view(" ") : value);
}

size_t CatalogBook::FirstEntry() const {
  for (size_t i = 0; i < text_.size(); ++i) {
    if (text_[i] == "{$Files}") return i + 1;
  }
  return text_.size();
}

std::string CatalogBook::EntryPath(size_t k) const {
  const std::string& entry = Entry(k);
  if (IsAbsoluteStoredPath(entry)) return entry;
  return JoinPath(FolderOf(path_), LocalRelativePath(entry));
}

void CatalogBook::InsertEntry(size_t k, std::string entry) {
  text_.insert(text_.begin() + static_cast<std::ptrdiff_t>(FirstEntry() + k), std::move(entry));
}

void CatalogBook::RemoveEntry(size_t k) {
  text_.erase(text_.begin() + static_cast<std::ptrdiff_t>(FirstEntry() + k));
}

void CatalogBook::MoveEntry(size_t from, size_t to) {
  std::string entry = Entry(from);
  RemoveEntry(from);
  InsertEntry(std::min(to, EntryCount()), std::move(entry));
}

Lines NewBookLines(const BookSettings& s) {
  return {"Catalog_name=" + s.name,
          "catalog_index_name=",
          "Catalog_Lost_name=",
          "Catalog_Output=" + s.output,
          std::string("Catalog_fulltext_search=") + Flag(s.fullTextSearch),
          std::string("Catalog_always_open=") + Flag(s.alwaysOpen),
          std::string("Catalog_move_v=") + Flag(s.removeMark),
          "{$Files}"};
}

std::string DefaultBookPath(const std::string& appDir) {
  return appDir + "目录册/default.pgs";
}

std::string EnsureDefaultBook(const std::string& appDir) {
  const std::string path = DefaultBookPath(appDir);
  if (FileExists(path)) return path;
  std::error_code error;
  std::filesystem::create_directories(FolderOf(path), error);
  WriteTextLines(path, {"Catalog_name=默认目录册", "catalog_index_name=", "Catalog_Lost_name=",
                        "Catalog_Output=", "Catalog_always_open=true", "{$Files}"});
  AppendHistory(BookHistoryPath(appDir), path);
  return path;
}

std::string PageHistoryPath(const std::string& appDir) {
  return appDir + "history.txt";
}

std::string BookHistoryPath(const std::string& appDir) {
  return appDir + "cts_history.txt";
}

void AppendHistory(const std::string& path, const std::string& line) {
  Lines lines;
  if (FileExists(path)) lines = ReadTextLines(path).lines;
  lines.push_back(line);
  WriteTextLines(path, lines);
}

std::string BookDefaultsPath(const std::string& appDir) {
  return appDir + "cts_default.dat";
}

std::optional<BookDefaults> ReadBookDefaults(const std::string& appDir) {
  const std::string path = BookDefaultsPath(appDir);
  if (!FileExists(path)) return std::nullopt;
  const Lines lines = ReadTextLines(path).lines;
  BookDefaults defaults;
  defaults.settings.name = ValueOfKey(lines, "Catalog_name");
  defaults.saveFolder = LocalRelativePath(ValueOfKey(lines, "catalog_save_path"));
  defaults.settings.output = ValueOfKey(lines, "Catalog_Output");
  defaults.settings.alwaysOpen = ValueOfKey(lines, "Catalog_always_open") == "true";
  defaults.settings.fullTextSearch = ValueOfKey(lines, "Catalog_fulltext_search") == "true";
  defaults.settings.removeMark = ValueOfKey(lines, "Catalog_move_v") == "true";
  return defaults;
}

void WriteBookDefaults(const std::string& appDir, const BookDefaults& d) {
  WriteTextLines(BookDefaultsPath(appDir),
                 {"Catalog_name=" + d.settings.name, "catalog_save_path=" + d.saveFolder,
                  "Catalog_Output=" + d.settings.output,
                  std::string("Catalog_always_open=") + Flag(d.settings.alwaysOpen),
                  std::string("Catalog_fulltext_search=") + Flag(d.settings.fullTextSearch),
                  std::string("Catalog_move_v=") + Flag(d.settings.removeMark)});
}

}  // namespace pagora
