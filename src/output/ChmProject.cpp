#include "output/ChmProject.h"

#include "base/Strings.h"

namespace pagora {

Lines SinglePageChmProject(const std::string& pageDir, const std::string& number,
                           const std::string& appDir, const std::string& language,
                           const CopyList& copies) {
  Lines lines = {
      "[OPTIONS]",
      "Binary Index=No",
      "Compatibility=1.1 or later",
      "Compiled file=" + pageDir + number + ".chm",
      "Default Window=WindowName",
      "Default topic=" + appDir + "tmp/tmpfile.htm",
      "Display compile progress=No",
      "Flat=Yes",
      Trim(language) == "中文" ? "Language=0x804 中文(中国)" : "Language=0x409 英语(美国)",
      "",
      "[WINDOWS]",
      "WindowName=\"" + number + "\",,,,,,,,,,,0x2040,[0,0,1024,739],0x1020000,,,,,,0",
      "",
      "[FILES]",
  };
  lines.insert(lines.end(), copies.begin(), copies.end());
  return lines;
}

}  // namespace pagora
