#include "base/Paths.h"

#include <sys/stat.h>

#include "base/FileExistenceCache.h"
#include "base/Strings.h"

namespace pagora {

bool IsAbsoluteStoredPath(std::string_view path) {
  return StartsWith(path, "/") || path.find(":\\") != std::string_view::npos;
}

std::string LocalRelativePath(std::string_view stored) {
  std::string out(stored);
  for (char& c : out) {
    if (c == '\\') c = '/';
  }
  return out;
}

std::string StoredRelativePath(std::string_view local) {
  std::string out(local);
  for (char& c : out) {
    if (c == '/') c = '\\';
  }
  return out;
}

std::string FileNameOf(std::string_view path) {
  const size_t slash = path.find_last_of("/\\");
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string FolderOf(std::string_view path) {
  const size_t slash = path.find_last_of("/\\");
  return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash + 1));
}

std::string ExtensionOf(std::string_view path) {
  const std::string name = FileNameOf(path);
  const size_t dot = name.find_last_of('.');
  return dot == std::string::npos ? std::string() : name.substr(dot);
}

std::string WithTrailingSlash(std::string_view folder) {
  std::string out(folder);
  while (out.size() > 1 && out.back() == '/') out.pop_back();
  if (out != "/") out += '/';
  return out;
}

std::string JoinPath(std::string_view folder, std::string_view relative) {
  std::string out;
  out.reserve(folder.size() + 1 + relative.size());
  out.append(folder);
  if (!out.empty() && out.back() != '/') out += '/';
  out.append(relative);
  return out;
}

std::string ResolveStoredPath(std::string_view stored, std::string_view preferredFolder,
                              std::string_view fallbackFolder, FileExistenceCache* exists) {
  if (stored.empty() || IsAbsoluteStoredPath(stored)) return std::string(stored);
  const std::string relative = LocalRelativePath(stored);
  if (!preferredFolder.empty()) {
    std::string candidate = JoinPath(preferredFolder, relative);
    if (exists ? exists->FileExists(candidate) : FileExists(candidate)) return candidate;
  }
  return JoinPath(fallbackFolder, relative);
}

bool FileExists(const std::string& path) {
  struct stat st {};
  return !path.empty() && stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool FolderExists(const std::string& path) {
  struct stat st {};
  return !path.empty() && stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool IsSafeFolderName(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  for (char c : name) {
    if (static_cast<unsigned char>(c) < 0x20) return false;
    if (std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos) return false;
  }
  // Windows drops trailing dots and blanks, which would make two names one folder.
  const char last = name.back();
  return last != '.' && last != ' ';
}

}  // namespace pagora
