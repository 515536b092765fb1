#include <gtest/gtest.h>

#include <filesystem>

#include "base/FileExistenceCache.h"
#include "base/KeyValueLines.h"
#include "base/Paths.h"
#include "base/Strings.h"
#include "support/TestFiles.h"

namespace pagora {
namespace {

TEST(KeyValueLines, FindsTheFirstLineWhoseKeyMatchesIgnoringCase) {
  const Lines lines = {"{Catalog编号}", "{catalog编号}=first", "{CATALOG编号}=second",
                       "{Catalog编号}x=other", "a=b=c"};
  EXPECT_EQ(ValueOfKey(lines, "{Catalog编号}"), "first");
  EXPECT_EQ(ValueOfKey(lines, "a"), "b=c");
  EXPECT_EQ(ValueOfKey(lines, "{missing}"), "");
  EXPECT_EQ(FindKeyLine(lines, "{Catalog编号}", 2), 2u);
}

TEST(KeyValueLines, AssignReplacesAppendsAndDeletesOnEmpty) {
  Lines lines = {"{a}=1", "{b}=2"};
  AssignKey(lines, "{A}", "9");
  AssignKey(lines, "{c}", "3");
  EXPECT_EQ(lines, (Lines{"{A}=9", "{b}=2", "{c}=3"}));
  AssignKey(lines, "{b}", "");
  EXPECT_EQ(lines, (Lines{"{A}=9", "{c}=3"}));
}

TEST(Strings, TrimRemovesBlanksAndControlCharacters) {
  EXPECT_EQ(Trim(" \t\x01 $PID}=1 \r"), "$PID}=1");
  EXPECT_EQ(Trim("   "), "");
}

TEST(Paths, StoredPathRules) {
  EXPECT_TRUE(IsAbsoluteStoredPath("D:\\x\\a.jpg"));
  EXPECT_TRUE(IsAbsoluteStoredPath("/home/a.jpg"));
  EXPECT_FALSE(IsAbsoluteStoredPath("images\\a.jpg"));
  EXPECT_FALSE(IsAbsoluteStoredPath("a.jpg"));
  EXPECT_EQ(FileNameOf("D:\\x\\a.jpg"), "a.jpg");
  EXPECT_EQ(FileNameOf("/x/y/b.pgt"), "b.pgt");
  EXPECT_EQ(FolderOf("/x/y/b.pgt"), "/x/y/");
  EXPECT_EQ(ExtensionOf("/x.y/b"), "");
  EXPECT_EQ(ExtensionOf("images\\A.JPG"), ".JPG");
  EXPECT_EQ(StoredRelativePath("img/sub/a.jpg"), "img\\sub\\a.jpg");
}

TEST(Paths, RelativePathResolvesInPageFolderWhenTheFileIsThereElseAppDir) {
  test::TempDir page, app;
  test::MakeFolder(page / "images");
  test::WriteBytes(page / "images/a.jpg", "x");
  EXPECT_EQ(ResolveStoredPath("images\\a.jpg", page.path(), app.path()), page / "images/a.jpg");
  EXPECT_EQ(ResolveStoredPath("images\\b.jpg", page.path(), app.path()), app / "images/b.jpg");
  EXPECT_EQ(ResolveStoredPath("images\\a.jpg", "", app.path()), app / "images/a.jpg");
  EXPECT_EQ(ResolveStoredPath("D:\\x\\a.jpg", page.path(), app.path()), "D:\\x\\a.jpg");
  EXPECT_EQ(ResolveStoredPath("", page.path(), app.path()), "");
}

TEST(FileExistenceCache, AnswersAsTheFileSystemDoesBeforeAndAfterListing) {
  test::TempDir dir;
  test::MakeFolder(dir / "pics/sub.jpg");
  for (int i = 0; i < 20; ++i) test::WriteBytes(dir / ("pics/" + std::to_string(i) + ".jpg"), "x");
  std::filesystem::create_symlink(dir / "pics/3.jpg", dir / "pics/link.jpg");
  std::filesystem::create_symlink(dir / "pics/none.jpg", dir / "pics/dangling.jpg");
  FileExistenceCache cache;
  // Enough questions about one folder that the later ones come from its listing.
  for (int round = 0; round < 3; ++round) {
    for (int i = 0; i < 25; ++i) {
      const std::string path = dir / ("pics/" + std::to_string(i) + ".jpg");
      EXPECT_EQ(cache.FileExists(path), i < 20) << path;
    }
    EXPECT_TRUE(cache.FileExists(dir / "pics/link.jpg"));
    EXPECT_FALSE(cache.FileExists(dir / "pics/dangling.jpg"));
    EXPECT_FALSE(cache.FileExists(dir / "pics/sub.jpg"));
    EXPECT_FALSE(cache.FileExists(dir / ("missing/" + std::to_string(round) + ".jpg")));
  }
  for (int i = 0; i < 12; ++i) EXPECT_FALSE(cache.FileExists(dir / "missing/x.jpg"));
}

TEST(Paths, SafeFolderNamesCannotLeaveTheirFolder) {
  for (const char* good : {"新建目录页2026-03-09", "A001", "cat.v2", "a b"}) {
    EXPECT_TRUE(IsSafeFolderName(good)) << good;
  }
  for (const char* bad :
       {"", ".", "..", "../x", "a/b", "a\\b", "c:", "x\x01", "a*", "dot.", "sp "}) {
    EXPECT_FALSE(IsSafeFolderName(bad)) << bad;
  }
}

}  // namespace
}  // namespace pagora
