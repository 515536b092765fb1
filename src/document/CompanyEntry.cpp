#include "document/CompanyEntry.h"

#include "base/Gb18030.h"
#include "base/KeyValueLines.h"
#include "base/Paths.h"
#include "base/TextFile.h"
#include "base/UserError.h"

namespace pagora {

std::string ReadCompanyEntry(const std::string& path, int index) {
  if (index < 0 || !FileExists(path)) return {};
  Lines lines;
  try {
    lines = ReadTextLines(path).lines;
  } catch (const UserError&) {
    return {};  // an unreadable file counts as a missing one
  }
  if (size_t(index) >= lines.size()) return {};
  std::string_view entry = lines[size_t(index)];
  if (const size_t eq = entry.find('='); eq != std::string_view::npos) entry.remove_prefix(eq + 1);
  return CutToEncodedBytes(entry, 240);
}

}  // namespace pagora
