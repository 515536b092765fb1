#pragma once

#include <string>
#include <vector>

#include "base/KeyValueLines.h"

namespace pagora {

// Text files of the system: the Chinese code page, lines ended by CR LF on write;
// CR, LF and CR LF are all accepted on read.

struct TextLines {
  Lines lines;
  // 1-based number of the first line that held bytes outside the code page (each
  // shown as U+FFFD), or 0 when the whole file decoded.
  int firstBadLine = 0;
};

// Reads what can be read; undecodable bytes are marked, never dropped silently.
// Throws UserError when the file cannot be read at all.
TextLines ReadTextLines(const std::string& path);

// Reads a file that must be clean text; undecodable bytes are an error naming the
// file and the line.
Lines ReadTextFileStrict(const std::string& path);

// The message for undecodable bytes in `path` at `line`.
std::string UndecodableTextMessage(const std::string& path, int line);

std::string EncodeTextLines(const Lines& lines);

// Writes every line followed by CR LF, atomically.
void WriteTextLines(const std::string& path, const Lines& lines);

}  // namespace pagora
