#include "generate/Placeholders.h"

#include "base/Strings.h"

namespace pagora {
namespace {

std::string Folded(std::string_view key) {
  std::string folded(key);
  for (char& c : folded) c = ToLowerAscii(c);
  return folded;
}

}  // namespace

void PlaceholderValues::Add(std::string_view line) {
  const size_t equals = line.find('=');
  if (equals == std::string_view::npos) return;  // no key: defines nothing
  values_.try_emplace(Folded(line.substr(0, equals)), line.substr(equals + 1));
}

void PlaceholderValues::AddAll(const Lines& lines) {
  for (const std::string& line : lines) Add(line);
}

void PlaceholderValues::Define(std::string_view name, std::string_view value) {
  values_.try_emplace(Folded(name), value);
}

std::string PlaceholderValues::Lookup(std::string_view name) const {
  const auto found = values_.find(Folded(name));
  return found == values_.end() ? std::string() : found->second;
}

std::string FillPlaceholders(std::string text, const PlaceholderValues& values,
                             const PlaceholderFallback& fallback) {
  size_t position = 0;
  while (true) {
    const size_t open = text.find('{', position);
    if (open == std::string::npos) break;
    const size_t close = text.find('}', open);
    if (close == std::string::npos) break;
    const std::string name = text.substr(open, close - open + 1);
    std::string value = values.Lookup(name);
    if (value.empty() && fallback) value = fallback(name);
    // The first occurrence in the whole text, which an earlier value may hold.
    text.replace(text.find(name), name.size(), value);
    position = open + value.size();
  }
  return text;
}

}  // namespace pagora
