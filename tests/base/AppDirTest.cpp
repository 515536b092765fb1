#include <gtest/gtest.h>

#include <cstdlib>

#include "base/AppDir.h"
#include "base/Paths.h"
#include "support/TestFiles.h"

namespace pagora {
namespace {

// Sets or clears an environment variable for one test.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    value ? setenv(name, value, 1) : unsetenv(name);
  }
  ~ScopedEnv() { old_ ? setenv(name_, old_->c_str(), 1) : unsetenv(name_); }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST(AppDir, ResolutionOrder) {
  test::TempDir root;
  const std::string portable = root / "portable/";
  test::MakeFolder(portable + "html");
  const std::string installed = root / "prefix/bin/";
  test::MakeFolder(installed);
  test::MakeFolder(root / "prefix/share/pagora/html");
  test::WriteBytes(root / "prefix/share/pagora/html/head.htm", "shipped");

  {
    ScopedEnv fixed("PAGORA_APPDIR", (root / "fixed").c_str());
    EXPECT_EQ(ResolveAppDir(portable), root / "fixed/");
  }
  ScopedEnv noFixed("PAGORA_APPDIR", nullptr);
  EXPECT_EQ(ResolveAppDir(portable), portable);

  ScopedEnv xdg("XDG_DATA_HOME", (root / "data").c_str());
  EXPECT_EQ(ResolveAppDir(installed), root / "data/pagora/");
  EXPECT_EQ(test::ReadBytes(root / "data/pagora/html/head.htm"), "shipped");

  // A file the user changed is never overwritten by the shipped one.
  test::WriteBytes(root / "data/pagora/html/head.htm", "mine");
  ResolveAppDir(installed);
  EXPECT_EQ(test::ReadBytes(root / "data/pagora/html/head.htm"), "mine");
}

}  // namespace
}  // namespace pagora
