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

Lines BookChmProject(const std::string& bookDir, const std::string& book,
                     const std::string& defaultName, bool chinese,
                     const std::vector<std::string>& names) {
  Lines lines = {
      "[OPTIONS]",
      "Compatibility=1.1 or later",
      "Compiled file=" + bookDir + book + ".chm",
      "Contents file=Contents.hhc",
      "Default Window=WindowName",
      "Default topic=" + defaultName,
      "Display compile progress=Yes",
      "Full-text search=Yes",
      chinese ? "Language=0x804 中文(中国)" : "Language=0x409 英语(美国)",
      "",
      "[WINDOWS]",
      "WindowName=,\"Contents.hhc\",,\"" + defaultName + "\",\"" + defaultName +
          "\",,,,,0x23420,,0x307e,,,,,,,,0",
      "",
      "[FILES]",
  };
  lines.insert(lines.end(), names.begin(), names.end());
  lines.push_back("");
  lines.push_back("[INFOTYPES]");
  return lines;
}

Lines BookChmContents(const std::vector<ContentsEntry>& entries) {
  Lines lines = {"<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//EN\">",
                 "<HTML>",
                 "<HEAD>",
                 "<meta name=\"GENERATOR\" content=\"Microsoft&reg; HTML Help Workshop 4.1\">",
                 "<!-- Sitemap 1.0 -->",
                 "</HEAD>",
                 "<BODY>",
                 "<OBJECT type=\"text/site properties\">",
                 "\t<param name=\"ImageType\" value=\"Folder\">",
                 "</OBJECT>",
                 "<UL>"};
  for (const ContentsEntry& entry : entries) {
    lines.push_back("\t<LI> <OBJECT type=\"text/sitemap\">");
    lines.push_back("\t\t<param name=\"Name\" value=\"" + entry.title + "\">");
    lines.push_back("\t\t<param name=\"Local\" value=\"" + entry.local + "\">");
    lines.push_back("\t\t</OBJECT>");
  }
  lines.push_back("</UL>");
  lines.push_back("</BODY></HTML>");
  return lines;
}

}  // namespace pagora
