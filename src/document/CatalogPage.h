#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/KeyValueLines.h"

namespace pagora {

class Clock;

// The first line of every page file; written, never examined on reading.
inline constexpr std::string_view kPageTypeLine = "PGT FILE TYPE 3.0";
inline constexpr std::string_view kDetailLine = "{detail}";
inline constexpr std::string_view kItemSectionComment =
    "/*以下内容均由程序自动生成，一般用户无需自行修改。";

// The open page. Its text, line for line, is the authority for saving and generation;
// the product grid is a view of the items that it keeps in step.
class CatalogPage {
 public:
  const Lines& Text() const { return text_; }
  bool IsOpen() const { return !text_.empty(); }

  // Every change of the text goes through here, so that the modified state follows.
  template <class Edit>
  void EditText(Edit&& edit) {
    edit(text_);
    Changed();
  }
  void ReplaceText(Lines lines);
  void ReplaceLine(size_t index, std::string line);
  void InsertLines(size_t index, const Lines& lines);
  void EraseLines(size_t first, size_t last);  // [first, last)
  void AppendLine(std::string line);

  // Empties the page: no text, no path, no name, not modified.
  void Clear();

  // Replaces the text with the file's lines. Returns the 1-based line of the first
  // byte outside the code page (read as U+FFFD), or 0. Does not touch path or name.
  int LoadText(const std::string& path);
  // Writes the lines unchanged, each ended by CR LF, atomically.
  void SaveText(const std::string& path) const;

  // The value of the first line whose key equals `key` (case ignored), or empty.
  std::string GetSetting(std::string_view key) const;
  // Replaces that line or appends one; an empty value deletes the line.
  void SetSetting(std::string_view key, std::string_view value);
  // As every writer of the system stores a setting: an empty value becomes one blank,
  // so the line stays.
  void StoreSetting(std::string_view key, std::string_view value);

  // Line index of the header of block `n`: the two positions of the standard layouts
  // first, then a scan; the last line's index when no line is that header.
  size_t FindBlock(int n) const;
  // The header's line when block `n` exists. A header that happens to be the last
  // line counts as found, so a block cut down to its header is mended, not doubled.
  std::optional<size_t> FindBlockHeader(int n) const;

  const std::string& Path() const { return path_; }
  void SetPath(std::string path) { path_ = std::move(path); }
  // Folder of the page file with a trailing "/", empty while never saved.
  std::string Folder() const;
  const std::string& DisplayName() const { return displayName_; }
  void SetDisplayName(std::string name) { displayName_ = std::move(name); }
  bool IsModified() const { return modified_; }
  void SetModified(bool modified) { modified_ = modified; }

 private:
  void Changed();

  Lines text_;
  std::string path_;
  std::string displayName_;
  bool modified_ = false;
};

// The text of a new page: the defaults file when it exists, else the twenty built-in
// settings with the salesman and order e-mail from the Chinese company information.
struct NewPageText {
  Lines lines;
  bool fromDefaultsFile = false;  // ticks "保存为默认设置" in the settings dialog
};
NewPageText CreateNewPageText(const std::string& appDir, const Clock& clock);

}  // namespace pagora
