#include "generate/Templates.h"

#include <dirent.h>
#include <algorithm>

#include "base/Paths.h"
#include "base/Strings.h"
#include "base/TextFile.h"
#include "base/UserError.h"

namespace pagora {
namespace {

constexpr std::string_view kMarker = "DSP1Q2W";

std::string ResolveTemplateFile(const std::string& folder, const std::string& name) {
  const std::string named = folder + name + ".mob";
  if (FileExists(named)) return named;
  const std::string fallback = folder + kDefaultTemplate + ".mob";
  if (!FileExists(fallback)) throw UserError(kTemplateError);
  return fallback;
}

// The file's lines joined, each ended by CR LF.
std::string ReadJoined(const std::string& path) {
  std::string text;
  for (const std::string& line : ReadTextFileStrict(path)) {
    text += line;
    text += "\r\n";
  }
  return text;
}

// Replaces the first occurrence of each marker 1..count by the cell it stands for.
void FillMarkers(std::string& text, const Lines& entries, int section, int count) {
  for (int n = 1; n <= count; ++n) {
    const std::string marker = std::string(kMarker) + std::to_string(n);
    const size_t at = text.find(marker);
    if (at == std::string::npos) continue;
    const int column = (n - 1) % 5 + 1, row = (n - 1) / 5 + 1;
    text.replace(at, marker.size(), ValueOfKey(entries, CellKey(section, column, row)));
  }
}

}  // namespace

std::vector<std::string> ListTemplates(const std::string& appDir) {
  std::vector<std::string> names;
  const std::string folder = appDir + "html/";
  DIR* dir = opendir(folder.c_str());
  if (!dir) return names;
  while (const dirent* entry = readdir(dir)) {
    const std::string name = entry->d_name;
    if (name.size() > 4 && EndsWith(name, ".mob") && FileExists(folder + name)) {
      names.push_back(name.substr(0, name.size() - 4));
    }
  }
  closedir(dir);
  // The default template comes first, the others by name.
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    if ((a == kDefaultTemplate) != (b == kDefaultTemplate)) return a == kDefaultTemplate;
    return a < b;
  });
  return names;
}

std::string TemplateHint(const std::string& appDir, const std::string& name) {
  const std::string path = appDir + "html/" + name + ".txt";
  if (!FileExists(path)) return {};
  const Lines lines = ReadTextLines(path).lines;
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += "\r\n";
    text += lines[i];
  }
  return text;
}

std::string TemplateFolder(const std::string& appDir, const std::string& language) {
  if (language == "中文") return appDir + "html/";
  return appDir + "html/" + language + "/";
}

Lines ReadTemplateEntries(const std::string& path) {
  Lines entries;
  for (std::string& line : ReadTextFileStrict(path)) {
    if (line.empty() || line[0] == '/') continue;
    entries.push_back(std::move(line));
  }
  return entries;
}

std::string CellKey(int section, int column, int row) {
  return std::to_string(section) + "," + std::to_string(column) + "," + std::to_string(row) +
         ",1,1,0";
}

HeadFoot BuildHeadFoot(const std::string& appDir, const std::string& name,
                       const std::string& language) {
  const std::string folder = TemplateFolder(appDir, language);
  const std::string file = ResolveTemplateFile(folder, name);
  if (!FileExists(folder + "head.htm") || !FileExists(folder + "foot.htm")) {
    throw UserError(kTemplateError);
  }
  HeadFoot result{ReadJoined(folder + "head.htm"), ReadJoined(folder + "foot.htm")};
  const Lines entries = ReadTemplateEntries(file);
  FillMarkers(result.head, entries, 1, 10);
  FillMarkers(result.foot, entries, 3, 50);
  return result;
}

ItemTable BuildItemTable(const std::string& appDir, const std::string& name,
                         const std::string& language) {
  const Lines entries =
      ReadTemplateEntries(ResolveTemplateFile(TemplateFolder(appDir, language), name));
  ItemTable table;
  table.pictureArea = ValueOfKey(entries, kPictureAreaKey);
  table.descriptionArea = ValueOfKey(entries, kDescriptionAreaKey);

  struct Box {
    bool present;
    uint64_t left, top, width, height;
    bool Covers(uint64_t c, uint64_t r) const {
      return present && c >= left && c < left + width && r >= top && r < top + height;
    }
    std::string Span() const {
      std::string span;
      if (width > 1) span += " colspan=" + std::to_string(width);
      if (height > 1) span += " rowspan=" + std::to_string(height);
      return span;
    }
  };
  auto boxOf = [](const std::string& text) {
    if (text.empty()) return Box{false, 0, 0, 0, 0};
    const AreaSpec area = ParseAreaSpec(text);
    return Box{true, area[7], area[8], area[5], area[6]};
  };
  const Box picture = boxOf(table.pictureArea);
  const Box description = boxOf(table.descriptionArea);

  std::string& out = table.skeleton;
  out = "<table {table2}>";
  for (uint64_t r = 0; r < 9; ++r) {
    out += "<tr>";
    for (uint64_t c = 0; c < 10; ++c) {
      if (picture.present && c == picture.left && r == picture.top) {
        out += "<td" + picture.Span() + ">{PP图片}</td>";
      } else if (description.present && c == description.left && r == description.top) {
        out += "<td" + description.Span() + ">{PP描述}</td>";
      } else if (picture.Covers(c, r) || description.Covers(c, r)) {
        // covered by an area's span
      } else {
        out += "<td>&nbsp;" + ValueOfKey(entries, CellKey(2, int(c) + 1, int(r) + 1)) + "</td>";
      }
    }
    out += "</tr>";
  }
  out += "</table><br>";
  return table;
}

AreaSpec ParseAreaSpec(std::string_view text) {
  AreaSpec area;
  const size_t equals = text.find('=');
  if (equals == std::string_view::npos) return area;
  size_t index = 0;
  for (const char c : text.substr(0, equals)) {
    if (c == ',') {
      if (++index >= area.numbers.size()) break;
    } else if (c >= '0' && c <= '9') {
      // Unsigned arithmetic wraps rather than failing on absurdly long numbers.
      area.numbers[index] = area.numbers[index] * 10 + uint32_t(c - '0');
    }
  }
  area.text = std::string(text.substr(equals + 1));
  return area;
}

std::string FormatAreaSpec(const AreaSpec& area) {
  std::string text;
  for (size_t i = 0; i < area.numbers.size(); ++i) {
    if (i > 0) text += ',';
    text += std::to_string(area.numbers[i]);
  }
  return text + "=" + area.text;
}

AreaSpec DefaultAreaSpec() {
  AreaSpec area;
  area.numbers = {0, 0, 0, 0, 6, 8, 0, 0, 1, 0};
  return area;
}

}  // namespace pagora
