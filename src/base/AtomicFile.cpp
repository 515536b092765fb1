#include "base/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "base/Paths.h"
#include "base/UserError.h"

namespace pagora {
namespace {

[[noreturn]] void ThrowWriteError(const std::string& path, int error) {
  throw UserError("无法写入文件“" + path + "”：" + std::strerror(error));
}

}  // namespace

void WriteFileAtomically(const std::string& path, std::string_view bytes, Durability durability) {
  const std::string folder = FolderOf(path);
  std::string tempName =
      (folder.empty() ? std::string("./") : folder) + "." + FileNameOf(path) + ".tmp-XXXXXX";
  const int fd = mkstemp(tempName.data());
  if (fd < 0) ThrowWriteError(path, errno);

  struct stat old {};
  mode_t mode = 0666;
  if (stat(path.c_str(), &old) == 0) {
    mode = old.st_mode & 07777;
  } else {
    const mode_t mask = umask(0);
    umask(mask);
    mode &= ~mask;
  }

  int error = 0;
  const char* data = bytes.data();
  size_t left = bytes.size();
  while (left > 0 && error == 0) {
    const ssize_t n = write(fd, data, left);
    if (n < 0) {
      if (errno != EINTR) error = errno;
      continue;
    }
    data += n;
    left -= static_cast<size_t>(n);
  }
  if (error == 0 && fchmod(fd, mode) != 0) error = errno;
  if (error == 0 && durability == Durability::Flushed && fsync(fd) != 0) error = errno;
  if (close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && rename(tempName.c_str(), path.c_str()) != 0) error = errno;
  if (error != 0) {
    unlink(tempName.c_str());
    ThrowWriteError(path, error);
  }
}

void ReplaceFileWithCopy(const std::string& source, const std::string& target) {
  std::string temp = FolderOf(target) + "." + FileNameOf(target) + ".tmp-XXXXXX";
  const int fd = mkstemp(temp.data());
  if (fd < 0) ThrowWriteError(target, errno);
  close(fd);
  std::error_code error;
  std::filesystem::copy_file(source, temp, std::filesystem::copy_options::overwrite_existing,
                             error);
  if (!error && rename(temp.c_str(), target.c_str()) != 0) {
    error = std::error_code(errno, std::generic_category());
  }
  if (error) {
    unlink(temp.c_str());
    throw UserError("无法写入文件“" + target + "”：" + error.message());
  }
}

std::string ReadWholeFile(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw UserError("无法读取文件“" + path + "”：" + std::strerror(errno));
  struct stat st {};
  std::string bytes;
  if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) bytes.reserve(size_t(st.st_size));
  char buffer[65536];
  int error = 0;
  while (true) {
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      error = errno;
      break;
    }
    bytes.append(buffer, size_t(n));
  }
  close(fd);
  if (error != 0) throw UserError("无法读取文件“" + path + "”：" + std::strerror(error));
  return bytes;
}

}  // namespace pagora
