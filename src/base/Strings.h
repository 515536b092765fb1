#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pagora {

// Letter case is folded for ASCII letters only; every other byte (all of UTF-8's
// multi-byte sequences) compares as it is, which is what the stored keys need.
char ToLowerAscii(char c);
std::string ToUpperAscii(std::string_view s);
bool EqualsIgnoreCase(std::string_view a, std::string_view b);
bool StartsWith(std::string_view s, std::string_view prefix);
bool EndsWith(std::string_view s, std::string_view suffix);

// Removes the spaces and control characters (every byte up to ' ') at both ends.
std::string_view Trim(std::string_view s);

// Splits at CR LF, LF or lone CR. A final line break does not add an empty line.
std::vector<std::string> SplitLines(std::string_view text);

// A plain decimal number of at most nine digits, no sign, no blanks.
std::optional<int> ParseDecimal(std::string_view s);

// Bytes of the UTF-8 sequence that starts with `lead` (1 for a stray continuation byte).
size_t Utf8SequenceLength(char lead);
// The byte offset of character `index` (the size when the text is shorter).
size_t Utf8Offset(std::string_view s, size_t index);

}  // namespace pagora
