#include "base/ZipWriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <thread>

#include "base/AtomicFile.h"
#include "base/Paths.h"
#include "base/Strings.h"
#include "base/UserError.h"

namespace fs = std::filesystem;

namespace pagora {
namespace {

// Entries and offsets past these need the ZIP64 extensions, which catalogs never do.
constexpr uint64_t kZipLimit = 0xFFFFFFFFull;
constexpr size_t kMaxEntries = 0xFFFF;

// Pictures and archives are compressed already: deflating them again costs time and
// gains nothing.
bool IsCompressedAlready(const std::string& name) {
  static const std::string_view kExtensions[] = {".JPG", ".JPEG", ".GIF", ".PNG", ".PGA",
                                                 ".ZIP", ".CHM",  ".RAR", ".EXE", ".GZ"};
  const std::string extension = ToUpperAscii(ExtensionOf(name));
  return std::find(std::begin(kExtensions), std::end(kExtensions), extension) !=
         std::end(kExtensions);
}

[[noreturn]] void Fail(const std::string& archive, const std::string& why) {
  throw UserError("无法写入压缩文件“" + archive + "”：" + why);
}

struct Planned {
  const ZipEntry* entry;
  bool store = true;
  uint64_t size = 0;  // bytes of the file
  uint32_t crc = 0;
  std::string deflated;  // the compressed data of a deflated entry
  uint16_t time = 0, date = 0;
  uint64_t offset = 0;  // of its local header
  std::string error;
};

void Put16(std::string& out, uint32_t v) {
  out += char(v & 0xFF);
  out += char((v >> 8) & 0xFF);
}
void Put32(std::string& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

void DosTime(time_t when, Planned& p) {
  std::tm t{};
  localtime_r(&when, &t);
  if (t.tm_year < 80) {  // ZIP times start in 1980
    t = std::tm{};
    t.tm_mday = 1;
    t.tm_year = 80;
  }
  p.time = uint16_t(t.tm_hour << 11 | t.tm_min << 5 | t.tm_sec / 2);
  p.date = uint16_t((t.tm_year - 80) << 9 | (t.tm_mon + 1) << 5 | t.tm_mday);
}

// The CRC of a stored file, read in blocks that stay in the processor's cache.
std::string CrcOfFile(Planned& p) {
  const int fd = open(p.entry->source.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::strerror(errno);
  thread_local std::vector<unsigned char> buffer(256 * 1024);
  uLong crc = crc32(0, nullptr, 0);
  uint64_t seen = 0;
  ssize_t n;
  while ((n = read(fd, buffer.data(), buffer.size())) > 0) {
    crc = crc32_z(crc, buffer.data(), z_size_t(n));
    seen += uint64_t(n);
  }
  const int error = n < 0 ? errno : 0;
  close(fd);
  if (error) return std::strerror(error);
  if (seen != p.size) return "文件在打包时被改变";
  p.crc = uint32_t(crc);
  return {};
}

std::string Deflate(Planned& p) {
  const std::string bytes = ReadWholeFile(p.entry->source);
  p.size = bytes.size();
  p.crc = uint32_t(crc32(crc32(0, nullptr, 0), reinterpret_cast<const Bytef*>(bytes.data()),
                         uInt(bytes.size())));
  z_stream z{};
  if (deflateInit2(&z, 6, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK) return "zlib";
  p.deflated.resize(deflateBound(&z, uLong(bytes.size())));
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
  z.avail_in = uInt(bytes.size());
  z.next_out = reinterpret_cast<Bytef*>(p.deflated.data());
  z.avail_out = uInt(p.deflated.size());
  const int rc = deflate(&z, Z_FINISH);
  p.deflated.resize(z.total_out);
  deflateEnd(&z);
  if (rc != Z_STREAM_END) return "zlib";
  // Deflating what does not shrink only costs the reader: store it instead.
  if (p.deflated.size() >= bytes.size()) {
    p.store = true;
    p.deflated.clear();
  }
  return {};
}

class Output {
 public:
  Output(int fd, const std::string& archive) : fd_(fd), archive_(archive) {}
  void Write(const char* data, size_t size) {
    while (size > 0) {
      const ssize_t n = write(fd_, data, size);
      if (n < 0) {
        if (errno == EINTR) continue;
        Fail(archive_, std::strerror(errno));
      }
      data += n;
      size -= size_t(n);
      written_ += uint64_t(n);
    }
  }
  void Write(const std::string& bytes) { Write(bytes.data(), bytes.size()); }
  // The file's bytes, copied by the kernel where it can.
  void CopyFrom(const std::string& source, uint64_t size) {
    const int in = open(source.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) Fail(archive_, source + "：" + std::strerror(errno));
    uint64_t left = size;
    while (left > 0) {
      const ssize_t n = copy_file_range(in, nullptr, fd_, nullptr, left, 0);
      if (n > 0) {
        left -= uint64_t(n);
        written_ += uint64_t(n);
        continue;
      }
      if (n < 0 && errno == EINTR) continue;
      break;  // not supported here, or the end: copy the rest by hand
    }
    std::vector<char> buffer(left > 0 ? 1 << 20 : 0);
    while (left > 0) {
      const ssize_t n = read(in, buffer.data(), std::min<uint64_t>(buffer.size(), left));
      if (n <= 0) {
        close(in);
        Fail(archive_, source + "：文件在打包时被改变");
      }
      Write(buffer.data(), size_t(n));
      left -= uint64_t(n);
    }
    close(in);
  }
  uint64_t Written() const { return written_; }

 private:
  int fd_;
  const std::string& archive_;
  uint64_t written_ = 0;
};

// The fields the local and the central header share, from "version needed" on.
void PutCommonFields(std::string& h, const Planned& p) {
  Put16(h, 20);      // version needed
  Put16(h, 0x0800);  // names are UTF-8
  Put16(h, p.store ? 0 : 8);
  Put16(h, p.time);
  Put16(h, p.date);
  Put32(h, p.crc);
  Put32(h, uint32_t(p.store ? p.size : p.deflated.size()));
  Put32(h, uint32_t(p.size));
  Put16(h, uint32_t(p.entry->name.size()));
  Put16(h, 0);  // extra
}

std::string LocalHeader(const Planned& p) {
  std::string h;
  Put32(h, 0x04034b50);
  PutCommonFields(h, p);
  return h + p.entry->name;
}

std::string CentralHeader(const Planned& p) {
  std::string h;
  Put32(h, 0x02014b50);
  Put16(h, 0x0314);  // made by: Unix, 2.0
  PutCommonFields(h, p);
  Put16(h, 0);  // comment
  Put16(h, 0);  // disk
  Put16(h, 0);  // internal attributes
  Put32(h, 0100644u << 16);
  Put32(h, uint32_t(p.offset));
  return h + p.entry->name;
}

mode_t CurrentUmask() {
  const mode_t mask = umask(0);
  umask(mask);
  return mask;
}

}  // namespace

std::vector<ZipEntry> ZipEntriesOfFolder(const std::string& root, const std::string& exclude) {
  std::vector<ZipEntry> entries;
  std::error_code error;
  const fs::path base(root);
  const fs::path skip = exclude.empty() ? fs::path() : fs::weakly_canonical(exclude, error);
  for (auto it = fs::recursive_directory_iterator(base, error);
       !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
    if (!it->is_regular_file()) continue;
    if (!skip.empty() && fs::weakly_canonical(it->path(), error) == skip) continue;
    entries.push_back({it->path().string(), fs::relative(it->path(), base).generic_string()});
  }
  std::sort(entries.begin(), entries.end(),
            [](const ZipEntry& a, const ZipEntry& b) { return a.name < b.name; });
  return entries;
}

void WriteZip(const std::string& archive, const std::vector<ZipEntry>& entries,
              const std::function<void(int percent)>& progress) {
  if (entries.size() > kMaxEntries) Fail(archive, "文件太多");
  std::vector<Planned> plan(entries.size());
  uint64_t total = 0;
  for (size_t i = 0; i < entries.size(); ++i) {
    Planned& p = plan[i];
    p.entry = &entries[i];
    struct stat st {};
    if (stat(p.entry->source.c_str(), &st) != 0)
      Fail(archive, p.entry->source + "：" + std::strerror(errno));
    p.size = uint64_t(st.st_size);
    DosTime(st.st_mtime, p);
    p.store = IsCompressedAlready(p.entry->name);
    if (p.size > kZipLimit) Fail(archive, p.entry->source + "：文件太大");
    total += p.size;
  }
  // Check sums and deflating run on worker threads, ahead of the writer, which copies
  // entry i while the workers prepare the entries after it.
  std::atomic<size_t> next{0};
  std::atomic<bool> stop{false};
  std::vector<std::atomic<bool>> ready(plan.size());
  auto work = [&] {
    for (size_t i = next++; i < plan.size() && !stop; i = next++) {
      plan[i].error = plan[i].store ? CrcOfFile(plan[i]) : Deflate(plan[i]);
      ready[i].store(true, std::memory_order_release);
      ready[i].notify_one();
    }
  };
  // The writer keeps one core busy with the kernel's copy; the others prepare.
  std::vector<std::jthread> workers;
  const unsigned count = std::clamp(std::thread::hardware_concurrency(), 2u, 8u) - 1;
  for (unsigned w = 0; w < count; ++w) workers.emplace_back(work);
  struct StopWorkers {
    std::atomic<bool>& stop;
    ~StopWorkers() { stop = true; }
  } stopWorkers{stop};

  std::string temp = FolderOf(archive) + "." + FileNameOf(archive) + ".tmp-XXXXXX";
  const int fd = mkstemp(temp.data());
  if (fd < 0) Fail(archive, std::strerror(errno));
  try {
    Output out(fd, archive);
    int shown = -1;
    for (size_t i = 0; i < plan.size(); ++i) {
      Planned& p = plan[i];
      ready[i].wait(false, std::memory_order_acquire);
      if (!p.error.empty()) Fail(archive, p.entry->source + "：" + p.error);
      p.offset = out.Written();
      out.Write(LocalHeader(p));
      if (p.store) {
        out.CopyFrom(p.entry->source, p.size);
      } else {
        out.Write(p.deflated);
      }
      if (out.Written() > kZipLimit) Fail(archive, "压缩文件超过4GB");
      const int percent = total ? int(std::min<uint64_t>(100, out.Written() * 100 / total)) : 100;
      if (progress && percent != shown) progress(shown = percent);
    }
    const uint64_t directoryStart = out.Written();
    std::string directory;
    for (const Planned& p : plan) directory += CentralHeader(p);
    out.Write(directory);
    std::string end;
    Put32(end, 0x06054b50);
    Put16(end, 0);
    Put16(end, 0);
    Put16(end, uint32_t(plan.size()));
    Put16(end, uint32_t(plan.size()));
    Put32(end, uint32_t(directory.size()));
    Put32(end, uint32_t(directoryStart));
    Put16(end, 0);
    out.Write(end);
    if (progress && shown != 100) progress(100);
    fchmod(fd, 0644 & ~CurrentUmask());
    if (close(fd) != 0) Fail(archive, std::strerror(errno));
  } catch (...) {
    close(fd);
    unlink(temp.c_str());
    throw;
  }
  if (rename(temp.c_str(), archive.c_str()) != 0) {
    const int error = errno;
    unlink(temp.c_str());
    Fail(archive, std::strerror(error));
  }
}

}  // namespace pagora
