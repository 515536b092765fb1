#include "base/ZipWriter.h"

#include <zip.h>
#include <algorithm>
#include <filesystem>

#include "base/Paths.h"
#include "base/Strings.h"
#include "base/UserError.h"

namespace fs = std::filesystem;

namespace pagora {
namespace {

bool IsCompressedPicture(const std::string& name) {
  const std::string extension = ToUpperAscii(ExtensionOf(name));
  return extension == ".JPG" || extension == ".JPEG" || extension == ".GIF" || extension == ".PNG";
}

[[noreturn]] void Fail(const std::string& archive, const std::string& why) {
  throw UserError("无法写入压缩文件“" + archive + "”：" + why);
}

struct ProgressState {
  const std::function<void(int)>* report;
  int last = -1;
};

void OnProgress(zip_t*, double fraction, void* data) {
  auto* state = static_cast<ProgressState*>(data);
  const int percent = std::clamp(int(fraction * 100.0), 0, 100);
  if (percent == state->last) return;
  state->last = percent;
  (*state->report)(percent);
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
  int error = 0;
  zip_t* zip = zip_open(archive.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
  if (!zip) {
    zip_error_t why;
    zip_error_init_with_code(&why, error);
    const std::string text = zip_error_strerror(&why);
    zip_error_fini(&why);
    Fail(archive, text);
  }
  ProgressState state{&progress};
  if (progress) zip_register_progress_callback_with_state(zip, 0.01, OnProgress, nullptr, &state);
  for (const ZipEntry& entry : entries) {
    zip_source_t* source = zip_source_file(zip, entry.source.c_str(), 0, -1);
    const zip_int64_t index =
        source ? zip_file_add(zip, entry.name.c_str(), source, ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8)
               : -1;
    if (index < 0) {
      if (source) zip_source_free(source);
      const std::string why = zip_strerror(zip);
      zip_discard(zip);
      Fail(archive, entry.source + "：" + why);
    }
    if (IsCompressedPicture(entry.name))
      zip_set_file_compression(zip, zip_uint64_t(index), ZIP_CM_STORE, 0);
  }
  // libzip writes a temporary file and renames it over the archive on close.
  if (zip_close(zip) != 0) {
    const std::string why = zip_strerror(zip);
    zip_discard(zip);
    Fail(archive, why);
  }
}

}  // namespace pagora
