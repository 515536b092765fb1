#pragma once

#include <string>
#include <string_view>

namespace pagora {

// Standard base64 with "=" padding, appended to `out` without line breaks.
void AppendBase64(std::string_view bytes, std::string& out);
std::string Base64(std::string_view bytes);

}  // namespace pagora
