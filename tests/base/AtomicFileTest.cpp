#include <gtest/gtest.h>

#include <sys/stat.h>
#include <filesystem>

#include "base/AtomicFile.h"
#include "base/UserError.h"
#include "support/TestFiles.h"

namespace pagora {
namespace {

size_t EntriesIn(const std::string& folder) {
  size_t n = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) ++n;
  return n;
}

TEST(AtomicFile, ReplacesContentKeepsModeAndLeavesNoTemporaryFile) {
  test::TempDir dir;
  const std::string path = dir / "page.pgt";
  test::WriteBytes(path, "old");
  chmod(path.c_str(), 0640);
  WriteFileAtomically(path, "new content");
  EXPECT_EQ(test::ReadBytes(path), "new content");
  struct stat st {};
  stat(path.c_str(), &st);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  EXPECT_EQ(EntriesIn(dir.path()), 1u);
}

TEST(AtomicFile, FailureKeepsTheOldFileAndCleansUp) {
  test::TempDir dir;
  // The target is a folder that cannot be replaced by a file: rename fails.
  test::MakeFolder(dir / "taken/inner");
  EXPECT_THROW(WriteFileAtomically(dir / "taken", "x"), UserError);
  EXPECT_TRUE(std::filesystem::is_directory(dir / "taken/inner"));
  EXPECT_EQ(EntriesIn(dir.path()), 1u);
  EXPECT_THROW(WriteFileAtomically(dir / "no/such/folder.pgt", "x"), UserError);
}

}  // namespace
}  // namespace pagora
