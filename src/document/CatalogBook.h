#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/KeyValueLines.h"

namespace pagora {

// A catalog book: a few settings lines, the line "{$Files}", then one entry a line (a
// page file or any other file, relative entries against the book file's folder).
class CatalogBook {
 public:
  const Lines& Text() const { return text_; }
  // A book is open when its text holds more than the few lines of an empty one.
  bool HasBook() const { return text_.size() > 4; }
  const std::string& Path() const { return path_; }
  void SetPath(std::string path) { path_ = std::move(path); }

  // Reads the book file; empty lines are dropped.
  void Load(const std::string& path);
  // Writes the book file atomically.
  void Save() const;
  void ReplaceText(Lines lines) { text_ = std::move(lines); }
  void Clear();

  std::string GetSetting(std::string_view key) const { return ValueOfKey(text_, key); }
  // As every writer stores settings: an empty value becomes one blank.
  void StoreSetting(std::string_view key, std::string_view value);

  // Index of the first entry line (the line after the first "{$Files}"), or the size.
  size_t FirstEntry() const;
  size_t EntryCount() const { return text_.size() - FirstEntry(); }
  const std::string& Entry(size_t k) const { return text_.at(FirstEntry() + k); }
  // The entry's file on disk: relative entries are taken in the book file's folder.
  std::string EntryPath(size_t k) const;
  void InsertEntry(size_t k, std::string entry);
  void RemoveEntry(size_t k);
  void AppendEntry(std::string entry) { text_.push_back(std::move(entry)); }
  // Dropping entry `from` on entry `to`: remove it, insert it at `to`'s position.
  void MoveEntry(size_t from, size_t to);

  std::string Name() const { return GetSetting("Catalog_name"); }
  std::string DefaultPage() const { return GetSetting("catalog_index_name"); }

 private:
  Lines text_;
  std::string path_;
};

// The eight lines of a book written by the book settings dialog.
struct BookSettings {
  std::string name;
  std::string output;
  bool fullTextSearch = true;
  bool alwaysOpen = true;
  bool removeMark = false;
};
Lines NewBookLines(const BookSettings& settings);

// AppDir/目录册/default.pgs, created (with its folder) when missing and then listed
// in the book history.
std::string DefaultBookPath(const std::string& appDir);
std::string EnsureDefaultBook(const std::string& appDir);

// Appends a line to a history file (the file is read when it exists, written back whole).
void AppendHistory(const std::string& path, const std::string& line);
// The two history files under AppDir: pages saved, and books opened or created.
std::string PageHistoryPath(const std::string& appDir);
std::string BookHistoryPath(const std::string& appDir);

// "cts_default.dat": the settings a new book starts with.
struct BookDefaults {
  BookSettings settings;
  std::string saveFolder;  // folder for new books, with a trailing "/"
};
std::string BookDefaultsPath(const std::string& appDir);
std::optional<BookDefaults> ReadBookDefaults(const std::string& appDir);
void WriteBookDefaults(const std::string& appDir, const BookDefaults& defaults);

}  // namespace pagora
