#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "base/KeyValueLines.h"

namespace pagora {

// The placeholder definitions of one generation run: lines "{NAME}=VALUE". A name is
// looked up as the first line whose key equals it, letter case ignored, so earlier
// definitions win.
class PlaceholderValues {
 public:
  void Add(std::string_view line);
  void AddAll(const Lines& lines);
  void Define(std::string_view name, std::string_view value);
  // The value, or empty when no line defines the name.
  std::string Lookup(std::string_view name) const;

 private:
  std::unordered_map<std::string, std::string> values_;  // key folded to lower case
};

// Answers a placeholder that the run's values leave empty (page settings for the head
// and foot, item rendering for an item table).
using PlaceholderFallback = std::function<std::string(std::string_view name)>;

// Fills the placeholders of `text` left to right. A placeholder is the text from a "{"
// to the next "}"; its value replaces the first occurrence of the name in the whole
// text, and the scan goes on after the value, which is not scanned again. A "{"
// without a later "}" ends the scan.
std::string FillPlaceholders(std::string text, const PlaceholderValues& values,
                             const PlaceholderFallback& fallback);

}  // namespace pagora
