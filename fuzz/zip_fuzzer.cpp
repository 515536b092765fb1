// Arbitrary bytes as a package: the reader must refuse what it cannot read and never
// write outside its destination.

#include <cstdint>
#include <filesystem>
#include <fstream>

#include "base/UserError.h"
#include "base/ZipReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  namespace fs = std::filesystem;
  static const fs::path root = fs::temp_directory_path() / "pagora-fuzz-zip";
  const fs::path archive = root / "in.pga";
  const fs::path destination = root / "out" / "inner";
  fs::remove_all(root);
  fs::create_directories(destination);
  std::ofstream(archive, std::ios::binary)
      .write(reinterpret_cast<const char*>(data), std::streamsize(size));
  try {
    pagora::ExtractZip(archive.string(), destination.string() + "/");
  } catch (const pagora::UserError&) {
  }
  // Nothing may appear beside the destination.
  for (const auto& entry : fs::directory_iterator(root / "out")) {
    if (entry.path() != destination) __builtin_trap();
  }
  return 0;
}
