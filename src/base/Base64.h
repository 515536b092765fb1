#pragma once

#include <string>
#include <string_view>

namespace pagora {

// Standard base64 with "=" padding, appended to `out` without line breaks.
void AppendBase64(std::string_view bytes, std::string& out);
std::string Base64(std::string_view bytes);

// Base64 broken into lines of `lineLength` characters (a multiple of 4), each followed
// by CR LF, the last one too. Appended to `out`.
void AppendBase64Lines(std::string_view bytes, size_t lineLength, std::string& out);

}  // namespace pagora
