#include "base/ZipReader.h"

#include <sys/stat.h>
#include <zip.h>
#include <filesystem>
#include <fstream>
#include <vector>

#include "base/Gb18030.h"
#include "base/Paths.h"
#include "base/UserError.h"

namespace fs = std::filesystem;

namespace pagora {
namespace {

bool IsValidUtf8(std::string_view s) {
  for (size_t i = 0; i < s.size();) {
    const auto c = static_cast<unsigned char>(s[i]);
    const size_t length = c < 0x80         ? 1
                          : (c >> 5) == 6  ? 2
                          : (c >> 4) == 14 ? 3
                          : (c >> 3) == 30 ? 4
                                           : 0;
    if (length == 0 || i + length > s.size()) return false;
    for (size_t j = 1; j < length; ++j) {
      if ((static_cast<unsigned char>(s[i + j]) & 0xC0) != 0x80) return false;
    }
    i += length;
  }
  return true;
}

// The entry's path below the destination, or empty when it would lead elsewhere.
std::string SafeRelativePath(std::string name) {
  for (char& c : name) {
    if (c == '\\') c = '/';
  }
  if (name.empty() || name[0] == '/' || name.find(':') != std::string::npos) return {};
  std::string clean;
  size_t start = 0;
  while (start <= name.size()) {
    const size_t end = std::min(name.find('/', start), name.size());
    const std::string part = name.substr(start, end - start);
    if (part == "..") return {};
    if (!part.empty() && part != ".") {
      if (!clean.empty()) clean += '/';
      clean += part;
    }
    start = end + 1;
  }
  return clean;
}

[[noreturn]] void Fail(const std::string& archive, const std::string& why) {
  throw UserError("无法读取压缩文件“" + archive + "”：" + why);
}

}  // namespace

int ExtractZip(const std::string& archive, const std::string& destination) {
  int error = 0;
  zip_t* zip = zip_open(archive.c_str(), ZIP_RDONLY, &error);
  if (!zip) Fail(archive, "不是ZIP格式的文件");
  struct Closer {
    zip_t* zip;
    ~Closer() { zip_discard(zip); }
  } closer{zip};

  struct Planned {
    zip_uint64_t index;
    std::string path;
    bool folder;
  };
  std::vector<Planned> plan;
  const zip_int64_t count = zip_get_num_entries(zip, 0);
  for (zip_int64_t i = 0; i < count; ++i) {
    const char* raw = zip_get_name(zip, zip_uint64_t(i), ZIP_FL_ENC_RAW);
    if (!raw) Fail(archive, zip_strerror(zip));
    // A name marked UTF-8 reads the same when the ZIP format is followed strictly;
    // an unmarked one is in the code page of the computer that made the archive.
    const char* strict = zip_get_name(zip, zip_uint64_t(i), ZIP_FL_ENC_STRICT);
    const bool marked = strict && std::string_view(strict) == raw && IsValidUtf8(raw);
    const std::string name = marked ? std::string(raw) : DecodeGb18030(raw).utf8;
    zip_uint8_t system = 0;
    zip_uint32_t attributes = 0;
    zip_file_get_external_attributes(zip, zip_uint64_t(i), 0, &system, &attributes);
    if (system == ZIP_OPSYS_UNIX && S_ISLNK(attributes >> 16))
      Fail(archive, "含有链接：" + std::string(raw));
    const std::string relative = SafeRelativePath(name);
    const bool folder = !name.empty() && (name.back() == '/' || name.back() == '\\');
    if (relative.empty() && !folder) Fail(archive, "含有指向目标文件夹以外的文件名：" + name);
    plan.push_back({zip_uint64_t(i), relative, folder});
  }

  int extracted = 0;
  const fs::path root(destination);
  for (const Planned& entry : plan) {
    const fs::path target = root / entry.path;
    std::error_code error;
    if (entry.folder) {
      fs::create_directories(target, error);
      continue;
    }
    fs::create_directories(target.parent_path(), error);
    zip_file_t* file = zip_fopen_index(zip, entry.index, 0);
    if (!file) Fail(archive, entry.path + "：" + zip_strerror(zip));
    std::ofstream out(target, std::ios::binary | std::ios::trunc);
    char buffer[65536];
    zip_int64_t n;
    while ((n = zip_fread(file, buffer, sizeof buffer)) > 0) out.write(buffer, n);
    zip_fclose(file);
    if (n < 0 || !out) Fail(archive, entry.path + "：数据损坏或无法写入");
    ++extracted;
  }
  return extracted;
}

}  // namespace pagora
