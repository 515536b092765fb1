#include "base/AppDir.h"

#include <unistd.h>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "base/Paths.h"
#include "base/UserError.h"

namespace fs = std::filesystem;

namespace pagora {

std::string ProgramFolder() {
  std::error_code error;
  const fs::path exe = fs::read_symlink("/proc/self/exe", error);
  if (error) return WithTrailingSlash(fs::current_path().string());
  return WithTrailingSlash(exe.parent_path().string());
}

void CopyMissingFiles(const std::string& from, const std::string& to) {
  std::error_code error;
  fs::create_directories(to, error);
  for (auto it = fs::recursive_directory_iterator(from, error);
       !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
    const fs::path target = fs::path(to) / fs::relative(it->path(), from);
    if (it->is_directory()) {
      fs::create_directories(target, error);
    } else if (!fs::exists(target)) {
      fs::copy_file(it->path(), target, error);
    }
    if (error) break;
  }
  if (error) throw UserError("无法准备数据文件夹“" + to + "”：" + error.message());
}

std::string ResolveAppDir(const std::string& programFolder) {
  if (const char* fixed = std::getenv("PAGORA_APPDIR"); fixed && *fixed) {
    return WithTrailingSlash(fixed);
  }
  const std::string program = WithTrailingSlash(programFolder);
  if (FolderExists(program + "html") && access(program.c_str(), W_OK) == 0) return program;

  std::string dataHome;
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg) {
    dataHome = xdg;
  } else if (const char* home = std::getenv("HOME"); home && *home) {
    dataHome = std::string(home) + "/.local/share";
  } else {
    dataHome = "/tmp";
  }
  const std::string appDir = WithTrailingSlash(dataHome) + "pagora/";
  const std::string installed = program + "../share/pagora";
  if (FolderExists(installed)) {
    CopyMissingFiles(installed, appDir);
  } else {
    std::error_code error;
    fs::create_directories(appDir, error);
  }
  return appDir;
}

}  // namespace pagora
