#include "base/Gb18030.h"

#include <iconv.h>
#include <cerrno>
#include <stdexcept>

namespace pagora {
namespace {

class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) {
      throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
    }
  }
  ~Converter() { iconv_close(cd_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts `in`; each byte that does not convert is replaced by `replacement`.
  // Returns the offset of the first such byte, or npos.
  size_t Run(std::string_view in, std::string_view replacement, std::string& out) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);  // a converter is reused per thread
    size_t firstBad = std::string::npos;
    out.resize(in.size() * 3 / 2 + 16);
    char* inPtr = const_cast<char*>(in.data());
    size_t inLeft = in.size();
    size_t used = 0;
    while (true) {
      char* outPtr = out.data() + used;
      size_t outLeft = out.size() - used;
      const size_t rc = iconv(cd_, inLeft ? &inPtr : nullptr, &inLeft, &outPtr, &outLeft);
      used = out.size() - outLeft;
      if (rc != static_cast<size_t>(-1)) {
        if (inLeft == 0) break;
        continue;
      }
      if (errno == E2BIG) {
        out.resize(out.size() * 2 + 16);
        continue;
      }
      // EILSEQ or EINVAL (a sequence cut short at the end): replace one byte, go on.
      if (firstBad == std::string::npos) firstBad = static_cast<size_t>(inPtr - in.data());
      if (out.size() - used < replacement.size()) out.resize(out.size() * 2 + 16);
      out.replace(used, replacement.size(), replacement);
      used += replacement.size();
      ++inPtr;
      --inLeft;
      iconv(cd_, nullptr, nullptr, nullptr, nullptr);
      if (inLeft == 0) break;
    }
    out.resize(used);
    return firstBad;
  }

 private:
  iconv_t cd_;
};

// Length of the GB18030 character that starts at `p`, from its lead and second byte.
size_t Gb18030CharLength(std::string_view bytes, size_t p) {
  const auto lead = static_cast<unsigned char>(bytes[p]);
  if (lead < 0x80 || p + 1 >= bytes.size()) return 1;
  const auto second = static_cast<unsigned char>(bytes[p + 1]);
  return (second >= 0x30 && second <= 0x39) ? 4 : 2;
}

}  // namespace

DecodedText DecodeGb18030(std::string_view bytes) {
  DecodedText result;
  thread_local Converter converter("UTF-8", "GB18030");
  result.firstBadOffset = converter.Run(bytes, "\xEF\xBF\xBD", result.utf8);
  return result;
}

std::string EncodeGb18030(std::string_view utf8) {
  std::string out;
  thread_local Converter converter("GB18030", "UTF-8");
  converter.Run(utf8, "?", out);
  return out;
}

std::string CutToEncodedBytes(std::string_view utf8, size_t maxBytes) {
  // No character takes more bytes in GB18030 than twice its UTF-8 length.
  if (utf8.size() <= maxBytes / 2) return std::string(utf8);
  const std::string encoded = EncodeGb18030(utf8);
  if (encoded.size() <= maxBytes) return std::string(utf8);
  size_t cut = 0;
  while (cut < encoded.size()) {
    const size_t next = cut + Gb18030CharLength(encoded, cut);
    if (next > maxBytes) break;
    cut = next;
  }
  return DecodeGb18030(std::string_view(encoded).substr(0, cut)).utf8;
}

}  // namespace pagora
