#include "base/Gb18030.h"

#include <iconv.h>
#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
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

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

// The UTF-8 form of every two-byte character, read from iconv once, so that the
// common characters are decoded by a table lookup instead of a conversion call.
class TwoByteTable {
 public:
  static const TwoByteTable& Get() {
    static const TwoByteTable table;
    return table;
  }

  // Length of the UTF-8 form of the character lead + trail (its bytes in `utf8`), or
  // 0 when the two bytes are no two-byte character.
  int Lookup(unsigned char lead, unsigned char trail, const char*& utf8) const {
    if (lead < kFirstLead || lead > kLastLead || trail < kFirstTrail || trail > kLastTrail) {
      return 0;
    }
    const Entry& entry = entries_[lead - kFirstLead][trail - kFirstTrail];
    utf8 = entry.bytes;
    return entry.length;
  }

 private:
  static constexpr unsigned kFirstLead = 0x81, kLastLead = 0xFE;
  static constexpr unsigned kFirstTrail = 0x40, kLastTrail = 0xFE;
  struct Entry {
    char bytes[3] = {};
    uint8_t length = 0;
  };

  TwoByteTable() {
    // Every pair on a line of its own: a pair that is no character only spoils its line.
    std::string pairs;
    for (unsigned lead = kFirstLead; lead <= kLastLead; ++lead) {
      for (unsigned trail = kFirstTrail; trail <= kLastTrail; ++trail) {
        pairs += char(lead);
        pairs += char(trail);
        pairs += '\n';
      }
    }
    std::string decoded;
    Converter("UTF-8", "GB18030").Run(pairs, kReplacement, decoded);
    size_t at = 0;
    for (unsigned lead = kFirstLead; lead <= kLastLead; ++lead) {
      for (unsigned trail = kFirstTrail; trail <= kLastTrail; ++trail) {
        const size_t end = decoded.find('\n', at);
        if (end == std::string::npos) return;  // out of step: the rest stays with iconv
        const std::string_view utf8 = std::string_view(decoded).substr(at, end - at);
        at = end + 1;
        if (utf8.empty() || utf8.size() > 3 || utf8.find(kReplacement) != std::string_view::npos) {
          continue;
        }
        Entry& entry = entries_[lead - kFirstLead][trail - kFirstTrail];
        utf8.copy(entry.bytes, utf8.size());
        entry.length = uint8_t(utf8.size());
      }
    }
  }

  Entry entries_[kLastLead - kFirstLead + 1][kLastTrail - kFirstTrail + 1];
};

// Writes the UTF-8 form of `bytes` to `out`, which has room for 3 bytes per input byte
// (the most any byte becomes: a bad byte turns into U+FFFD). Returns the end of the
// output; `firstBad` receives the offset of the first byte that could not be decoded.
// ASCII and two-byte characters are decoded here; four-byte characters and bad bytes
// go to iconv, from there to the end of their line (a line break never occurs inside
// a character, so iconv starts and stops on character boundaries).
char* DecodeInto(std::string_view bytes, char* out, size_t& firstBad) {
  const TwoByteTable& table = TwoByteTable::Get();
  thread_local Converter slow("UTF-8", "GB18030");
  thread_local std::string piece;
  const size_t n = bytes.size();
  size_t i = 0;
  while (i < n) {
    // Eight ASCII bytes at a time: most of a page is ASCII keys and numbers.
    while (i + 8 <= n) {
      uint64_t word;
      std::memcpy(&word, bytes.data() + i, 8);
      if (word & 0x8080808080808080ull) break;
      std::memcpy(out, &word, 8);
      out += 8;
      i += 8;
    }
    if (i >= n) break;
    const auto byte = static_cast<unsigned char>(bytes[i]);
    if (byte < 0x80) {
      *out++ = char(byte);
      ++i;
      continue;
    }
    const char* utf8 = nullptr;
    if (i + 1 < n) {
      if (const int length = table.Lookup(byte, static_cast<unsigned char>(bytes[i + 1]), utf8)) {
        for (int k = 0; k < length; ++k) *out++ = utf8[k];
        i += 2;
        continue;
      }
    }
    size_t end = bytes.find_first_of("\r\n", i);
    if (end == std::string_view::npos) end = n;
    const size_t bad = slow.Run(bytes.substr(i, end - i), kReplacement, piece);
    if (bad != std::string::npos && firstBad == std::string::npos) firstBad = i + bad;
    out = std::copy(piece.begin(), piece.end(), out);
    i = end;
  }
  return out;
}

}  // namespace

DecodedText DecodeGb18030(std::string_view bytes) {
  DecodedText result;
  result.utf8.resize(bytes.size() * 3);
  char* end = DecodeInto(bytes, result.utf8.data(), result.firstBadOffset);
  result.utf8.resize(size_t(end - result.utf8.data()));
  return result;
}

DecodedLines DecodeGb18030Lines(std::string_view bytes) {
  DecodedLines result;
  size_t lineFeeds = 0;
  for (const char* p = bytes.data(); (p = static_cast<const char*>(std::memchr(
                                          p, '\n', size_t(bytes.data() + bytes.size() - p))));
       ++p) {
    ++lineFeeds;
  }
  result.lines.reserve(lineFeeds + 1);
  std::string buffer;
  size_t start = 0;
  const size_t n = bytes.size();
  auto take = [&](size_t end) {
    const std::string_view line = bytes.substr(start, end - start);
    if (buffer.size() < line.size() * 3) buffer.resize(line.size() * 3);
    size_t bad = std::string::npos;
    char* last = DecodeInto(line, buffer.data(), bad);
    if (bad != std::string::npos && result.firstBadOffset == std::string::npos) {
      result.firstBadOffset = start + bad;
    }
    result.lines.emplace_back(buffer.data(), last);  // exact size: no slack in 100,000 lines
  };
  for (size_t i = 0; i < n; ++i) {
    const char c = bytes[i];
    if (c != '\r' && c != '\n') continue;
    take(i);
    if (c == '\r' && i + 1 < n && bytes[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < n) take(n);
  return result;
}

std::string EncodeGb18030(std::string_view utf8) {
  std::string out;
  thread_local Converter converter("GB18030", "UTF-8");
  converter.Run(utf8, "?", out);
  return out;
}

size_t EncodedPrefixLength(std::string_view utf8, size_t maxBytes) {
  // No character takes more bytes in GB18030 than twice its UTF-8 length.
  if (utf8.size() <= maxBytes / 2) return utf8.size();
  const std::string encoded = EncodeGb18030(utf8);
  if (encoded.size() <= maxBytes) return utf8.size();
  size_t cut = 0;
  while (cut < encoded.size()) {
    const size_t next = cut + Gb18030CharLength(encoded, cut);
    if (next > maxBytes) break;
    cut = next;
  }
  return DecodeGb18030(std::string_view(encoded).substr(0, cut)).utf8.size();
}

std::string CutToEncodedBytes(std::string_view utf8, size_t maxBytes) {
  return std::string(utf8.substr(0, EncodedPrefixLength(utf8, maxBytes)));
}

}  // namespace pagora
