#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pagora {

// Documents of the system are lists of lines; settings, book entries, template keys
// and placeholder definitions are lines "key=value". A key is found as the first line
// whose text before its first "=" equals it, letter case ignored.

using Lines = std::vector<std::string>;

// The text before the first "="; a line without "=" has no key (empty).
std::string_view KeyOfLine(std::string_view line);
// The text after the first "=", or empty when the line has none.
std::string_view ValueOfLine(std::string_view line);

bool LineHasKey(std::string_view line, std::string_view key);

// Index of the first line (from `from` on) holding `key`, or nullopt.
std::optional<size_t> FindKeyLine(const Lines& lines, std::string_view key, size_t from = 0);

// The value of `key`, or empty when no line holds it.
std::string ValueOfKey(const Lines& lines, std::string_view key);

// Replaces the line of `key` by key + "=" + value, or appends that line when there
// is none. An empty value deletes the line (callers that want the line to stay store
// a single blank).
void AssignKey(Lines& lines, std::string_view key, std::string_view value);

}  // namespace pagora
