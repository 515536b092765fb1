#include "base/KeyValueLines.h"

#include "base/Strings.h"

namespace pagora {

std::string_view KeyOfLine(std::string_view line) {
  const size_t eq = line.find('=');
  return eq == std::string_view::npos ? std::string_view() : line.substr(0, eq);
}

std::string_view ValueOfLine(std::string_view line) {
  const size_t eq = line.find('=');
  return eq == std::string_view::npos ? std::string_view() : line.substr(eq + 1);
}

bool LineHasKey(std::string_view line, std::string_view key) {
  // Cheap length test first: most lines differ in the length of their key.
  // A line without "=" has no key at all.
  if (line.size() <= key.size() || line[key.size()] != '=') return false;
  return EqualsIgnoreCase(line.substr(0, key.size()), key);
}

std::optional<size_t> FindKeyLine(const Lines& lines, std::string_view key, size_t from) {
  for (size_t i = from; i < lines.size(); ++i) {
    if (LineHasKey(lines[i], key)) return i;
  }
  return std::nullopt;
}

std::string ValueOfKey(const Lines& lines, std::string_view key) {
  const auto index = FindKeyLine(lines, key);
  return index ? std::string(ValueOfLine(lines[*index])) : std::string();
}

void AssignKey(Lines& lines, std::string_view key, std::string_view value) {
  const auto index = FindKeyLine(lines, key);
  if (value.empty()) {
    if (index) lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(*index));
    return;
  }
  std::string line = std::string(key) + "=" + std::string(value);
  if (index) {
    lines[*index] = std::move(line);
  } else {
    lines.push_back(std::move(line));
  }
}

}  // namespace pagora
