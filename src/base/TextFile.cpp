#include "base/TextFile.h"

#include <algorithm>

#include "base/AtomicFile.h"
#include "base/Gb18030.h"
#include "base/Strings.h"
#include "base/UserError.h"

namespace pagora {
namespace {

// Line breaks never occur inside a GB18030 character, so counting them in the raw
// bytes gives the line of a byte offset.
int LineOfOffset(const std::string& bytes, size_t offset) {
  int line = 1;
  for (size_t i = 0; i < offset && i < bytes.size(); ++i) {
    if (bytes[i] == '\n' || (bytes[i] == '\r' && (i + 1 >= bytes.size() || bytes[i + 1] != '\n'))) {
      ++line;
    }
  }
  return line;
}

}  // namespace

std::string UndecodableTextMessage(const std::string& path, int line) {
  return "文件“" + path + "”第" + std::to_string(line) +
         "行含有无法识别的字符（不是GBK/GB18030编码的文字）。";
}

TextLines ReadTextLines(const std::string& path) {
  const std::string bytes = ReadWholeFile(path);
  DecodedLines decoded = DecodeGb18030Lines(bytes);
  TextLines result;
  result.lines = std::move(decoded.lines);
  if (decoded.firstBadOffset != std::string::npos) {
    result.firstBadLine = LineOfOffset(bytes, decoded.firstBadOffset);
  }
  return result;
}

Lines ReadTextFileStrict(const std::string& path) {
  TextLines text = ReadTextLines(path);
  if (text.firstBadLine != 0) throw UserError(UndecodableTextMessage(path, text.firstBadLine));
  return std::move(text.lines);
}

std::string EncodeTextLines(const Lines& lines) {
  size_t total = 0;
  for (const auto& line : lines) total += line.size() + 2;
  std::string utf8;
  utf8.reserve(total);
  for (const auto& line : lines) {
    utf8 += line;
    utf8 += "\r\n";
  }
  return EncodeGb18030(utf8);
}

void WriteTextLines(const std::string& path, const Lines& lines) {
  WriteFileAtomically(path, EncodeTextLines(lines));
}

}  // namespace pagora
