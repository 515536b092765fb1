#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace pagora {

// The system's files are in the Chinese code page. GB18030 is byte-identical to GBK
// for every GBK character and can also hold every other character, so nothing the
// user types is lost on the way to disk.

struct DecodedText {
  std::string utf8;
  // Byte offset in the input of the first byte that could not be decoded, or npos.
  // Each such byte becomes U+FFFD in `utf8`.
  size_t firstBadOffset = std::string::npos;
};

DecodedText DecodeGb18030(std::string_view bytes);

// Decodes and splits at CR LF, LF or lone CR in one pass (a final line break adds no
// empty line); `firstBadOffset` as above.
struct DecodedLines {
  std::vector<std::string> lines;
  size_t firstBadOffset = std::string::npos;
};
DecodedLines DecodeGb18030Lines(std::string_view bytes);

// Invalid UTF-8 in the input is written as '?'.
std::string EncodeGb18030(std::string_view utf8);

// Cuts `utf8` so that its encoded form holds at most `maxBytes` bytes, on a character
// boundary (limits of the file formats are counted in bytes of the code page).
std::string CutToEncodedBytes(std::string_view utf8, size_t maxBytes);
// The same cut as a length in bytes of `utf8`, for callers that only need a view.
size_t EncodedPrefixLength(std::string_view utf8, size_t maxBytes);

}  // namespace pagora
