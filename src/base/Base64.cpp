#include "base/Base64.h"

#include <algorithm>
#include <cstdint>

namespace pagora {
namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

}  // namespace

void AppendBase64(std::string_view bytes, std::string& out) {
  const size_t start = out.size();
  out.resize(start + (bytes.size() + 2) / 3 * 4);
  char* p = out.data() + start;
  const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
  size_t i = 0;
  for (; i + 3 <= bytes.size(); i += 3) {
    const uint32_t v = uint32_t(in[i]) << 16 | uint32_t(in[i + 1]) << 8 | in[i + 2];
    *p++ = kAlphabet[v >> 18];
    *p++ = kAlphabet[(v >> 12) & 63];
    *p++ = kAlphabet[(v >> 6) & 63];
    *p++ = kAlphabet[v & 63];
  }
  if (i < bytes.size()) {
    const bool two = i + 1 < bytes.size();
    const uint32_t v = uint32_t(in[i]) << 16 | (two ? uint32_t(in[i + 1]) << 8 : 0);
    *p++ = kAlphabet[v >> 18];
    *p++ = kAlphabet[(v >> 12) & 63];
    *p++ = two ? kAlphabet[(v >> 6) & 63] : '=';
    *p++ = '=';
  }
}

void AppendBase64Lines(std::string_view bytes, size_t lineLength, std::string& out) {
  const size_t perLine = lineLength / 4 * 3;
  const size_t lines = (bytes.size() + perLine - 1) / perLine;
  const size_t start = out.size();
  out.resize(start + (bytes.size() + 2) / 3 * 4 + lines * 2);
  char* p = out.data() + start;
  const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
  for (size_t line = 0; line < lines; ++line) {
    const size_t begin = line * perLine;
    const size_t end = std::min(bytes.size(), begin + perLine);
    size_t i = begin;
    for (; i + 3 <= end; i += 3) {
      const uint32_t v = uint32_t(in[i]) << 16 | uint32_t(in[i + 1]) << 8 | in[i + 2];
      p[0] = kAlphabet[v >> 18];
      p[1] = kAlphabet[(v >> 12) & 63];
      p[2] = kAlphabet[(v >> 6) & 63];
      p[3] = kAlphabet[v & 63];
      p += 4;
    }
    if (i < end) {
      const bool two = i + 1 < end;
      const uint32_t v = uint32_t(in[i]) << 16 | (two ? uint32_t(in[i + 1]) << 8 : 0);
      *p++ = kAlphabet[v >> 18];
      *p++ = kAlphabet[(v >> 12) & 63];
      *p++ = two ? kAlphabet[(v >> 6) & 63] : '=';
      *p++ = '=';
    }
    *p++ = '\r';
    *p++ = '\n';
  }
}

std::string Base64(std::string_view bytes) {
  std::string out;
  AppendBase64(bytes, out);
  return out;
}

}  // namespace pagora
