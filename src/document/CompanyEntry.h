#pragma once

#include <string>

namespace pagora {

inline constexpr const char* kChineseCompanyFile = "cols1.dat";
inline constexpr const char* kEnglishCompanyFile = "cols2.dat";
inline constexpr const char* kCustomDefinitionsFile = "cols3.dat";

// Line indexes of the entries in the company files.
inline constexpr int kCompanyNameEntry = 1;
inline constexpr int kCompanyContactEntry = 2;
inline constexpr int kCompanyEmailEntry = 7;
inline constexpr int kCompanyProjectFolderEntry = 10;
inline constexpr int kCompanyOutputFolderEntry = 11;

// One entry of a company file: the line at `index`, and of a line holding "=" only
// the text after its first "=", cut to 240 bytes. A missing file or line reads as empty.
std::string ReadCompanyEntry(const std::string& path, int index);

}  // namespace pagora
