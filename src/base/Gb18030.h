#pragma once

#include <string>
#include <string_view>

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

// Invalid UTF-8 in the input is written as '?'.
std::string EncodeGb18030(std::string_view utf8);

// Cuts `utf8` so that its encoded form holds at most `maxBytes` bytes, on a character
// boundary (limits of the file formats are counted in bytes of the code page).
std::string CutToEncodedBytes(std::string_view utf8, size_t maxBytes);

}  // namespace pagora
