#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cstdlib>

#include <filesystem>

#include "base/Paths.h"
#include "base/TextFile.h"
#include "support/TestFiles.h"

namespace pagora {
namespace {

struct CliRun {
  int exit = -1;
  std::string out, err;
};

// Runs pagora-cli with its own AppDir, no terminal and no shell in between.
class Cli : public ::testing::Test {
 protected:
  CliRun Call(std::vector<std::string> args) {
    args.insert(args.begin(), {PAGORA_CLI, "--appdir", app.path()});
    const std::string outPath = work / "stdout", errPath = work / "stderr";
    const pid_t pid = fork();
    if (pid == 0) {
      const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
      const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
      dup2(out, 1);
      dup2(err, 2);
      const int none = open("/dev/null", O_RDONLY);
      dup2(none, 0);
      std::vector<char*> argv;
      for (auto& a : args) argv.push_back(a.data());
      argv.push_back(nullptr);
      execv(argv[0], argv.data());
      _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, test::ReadBytes(outPath),
            test::ReadBytes(errPath)};
  }
  std::string Page() const { return work / "p.pgt"; }
  std::string ReadSetting(const std::string& key) {
    const CliRun run = Call({"get", Page(), key});
    return run.out.substr(0, run.out.size() - 1);
  }

  test::TempDir app, work;
};

TEST_F(Cli, NewGetSetFieldItemsRoundTrip) {
  test::WriteLines(app / "cols1.dat", {"中文内容", "公司名=华星", "联系人=李四"});
  ASSERT_EQ(Call({"new", Page()}).exit, 0);
  EXPECT_EQ(Call({"get", Page(), "{业务员名}"}).out, "李四\n");

  // An existing page is kept unless --yes.
  const CliRun again = Call({"new", Page()});
  EXPECT_EQ(again.exit, 1);
  EXPECT_EQ(again.err, "[新建页面] 文件已经存在，未覆盖：" + Page() + "\n");

  EXPECT_EQ(Call({"set", Page(), "{客户编号}", ""}).exit, 0);
  EXPECT_EQ(ReadTextFileStrict(Page())[4], "{客户编号}= ");
  EXPECT_EQ(Call({"set", Page(), "{Catalog名称}", "春季报价"}).exit, 0);
  EXPECT_EQ(Call({"get", Page(), "{catalog名称}"}).out, "春季报价\n");

  EXPECT_EQ(Call({"field", Page(), "1", "number", "A001"}).exit, 0);
  EXPECT_EQ(Call({"field", Page(), "1", "desc", "杯<br>碟"}).exit, 0);
  EXPECT_EQ(Call({"field", Page(), "2", "price", "12.50"}).exit, 0);
  EXPECT_EQ(Call({"field", Page(), "2", "picture", "img\\cup.jpg"}).exit, 0);
  const CliRun items = Call({"items", Page()});
  EXPECT_EQ(items.exit, 0);
  EXPECT_EQ(items.out,
            "1\t\tA001\t\t\t\t\t\t杯<br>碟\n2\t" + app.path() + "img/cup.jpg\t\t\t12.50\t\t\t\t\n");
  const Lines text = ReadTextFileStrict(Page());
  EXPECT_EQ(text.size(), 24u + 22u);
  EXPECT_EQ(text[24 + 11 + 1], "{$IMG}=img\\cup.jpg");
  EXPECT_EQ(text[24 + 11 + 4], "{$PPRICE}=单价：!:12.50");
}

TEST_F(Cli, ImportStoresPicturesAndRepairRestoresLayout) {
  ASSERT_EQ(Call({"new", Page()}).exit, 0);
  test::MakeFolder(work / "photos");
  test::WriteJpeg(work / "photos/a.jpg", 64, 48);
  test::WriteJpeg(work / "photos/b.jpg", 64, 48);
  test::WriteJpeg(work / "c.jpg", 64, 48);
  EXPECT_EQ(Call({"import", Page(), work / "photos", work / "c.jpg"}).exit, 0);
  const CliRun items = Call({"items", Page()});
  EXPECT_EQ(items.out, "1\t" + (work / "photos/a.jpg") + "\t\t\t\t\t\t\t\n" + "2\t" +
                           (work / "photos/b.jpg") + "\t\t\t\t\t\t\t\n" + "3\t" + (work / "c.jpg") +
                           "\t\t\t\t\t\t\t\n");
  EXPECT_EQ(ReadTextFileStrict(Page())[25], "{$IMG}=photos\\a.jpg");

  // Damage the page: drop the comment line and a line of block 2; repair mends it.
  Lines text = ReadTextFileStrict(Page());
  text.erase(text.begin() + 21);
  text.insert(text.begin() + 30, "stray");
  test::WriteLines(Page(), text);
  const CliRun repair = Call({"repair", Page()});
  EXPECT_EQ(repair.exit, 0);
  EXPECT_EQ(repair.err, "[修复] 修复结束。\n");
  EXPECT_EQ(ReadTextFileStrict(Page())[24], "{$1}");
  EXPECT_EQ(Call({"items", Page()}).out, items.out);
}

TEST_F(Cli, FailuresAndUsage) {
  struct Case {
    std::vector<std::string> args;
    int exit;
  };
  ASSERT_EQ(Call({"new", Page()}).exit, 0);
  const Case cases[] = {
      {{}, 2},
      {{"frob"}, 2},
      {{"get", Page()}, 2},
      {{"field", Page(), "0", "number", "x"}, 2},
      {{"field", Page(), "1", "colour", "x"}, 2},
      {{"field", Page(), "3", "number", "x"}, 1},  // only item 1 or a new item 2
      {{"get", Page(), "{nothing}"}, 1},
      {{"items", Page()}, 1},  // a new page has no items yet
      {{"get", work / "none.pgt", "{日期}"}, 1},
      {{"import", Page(), work / "none.jpg"}, 1},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = c.args;
    EXPECT_EQ(Call(args).exit, c.exit) << (args.empty() ? "" : args[0]);
  }
  EXPECT_EQ(Call({"get", work / "none.pgt", "{日期}"}).err,
            "[错误] 页面文件不存在：" + (work / "none.pgt") + "\n");
}

// The shipped data folder next to pagora-cli, copied into the test's own AppDir.
void CopyShippedData(const std::string& appDir) {
  const std::filesystem::path bin = std::filesystem::path(PAGORA_CLI).parent_path();
  for (const char* entry : {"html", "css", "视觉效果.txt", "rarsfx.s"}) {
    std::filesystem::copy(bin / entry, std::filesystem::path(appDir) / entry,
                          std::filesystem::copy_options::recursive);
  }
}

TEST_F(Cli, QuickTurnsPicturesIntoACatalogWithEveryShippedLayout) {
  CopyShippedData(app.path());
  test::MakeFolder(work / "photos");
  test::WriteJpeg(work / "photos/a.jpg", 64, 48);
  test::WriteJpeg(work / "photos/b.jpg", 64, 48);
  const CliRun quick = Call(
      {"quick", "--title", "春季新品", "--out", work / "out", "--kind", "html", work / "photos"});
  ASSERT_EQ(quick.exit, 0) << quick.err;
  const std::string made = quick.out.substr(0, quick.out.size() - 1);
  EXPECT_EQ(made.rfind(work / "out/新建目录页", 0), 0u) << made;
  EXPECT_TRUE(FileExists(FolderOf(made) + "images/a.jpg"));

  // Every layout in both languages fills all its markers and refers to every picture.
  ASSERT_EQ(Call({"new", Page()}).exit, 0);
  ASSERT_EQ(Call({"import", Page(), work / "photos"}).exit, 0);
  ASSERT_EQ(Call({"set", Page(), "{输出目录}", work / "out"}).exit, 0);
  for (const char* layout : {"默认", "简洁列表", "大图展示"}) {
    for (const char* language : {"中文", "英文"}) {
      ASSERT_EQ(Call({"set", Page(), "{输出风格}", layout}).exit, 0);
      ASSERT_EQ(Call({"set", Page(), "{输出语言}", language}).exit, 0);
      const CliRun run = Call({"--yes", "output", Page(), "zip"});
      ASSERT_EQ(run.exit, 0) << run.err;
      EXPECT_EQ(run.out.substr(run.out.size() - 5), ".zip\n");
      ASSERT_EQ(Call({"output", Page(), "html"}).exit, 0);
      const std::string html = test::ReadBytes(work / ("out/" + ReadSetting("{Catalog编号}") + "/" +
                                                       ReadSetting("{Catalog编号}") + ".htm"));
      EXPECT_EQ(html.find("DSP1Q2W"), std::string::npos) << layout << language;
      EXPECT_NE(html.find("<img src=\"images/a.jpg\""), std::string::npos) << layout << language;
      EXPECT_NE(html.find("<img src=\"images/b.jpg\""), std::string::npos) << layout << language;
      EXPECT_NE(html.find("</html>"), std::string::npos);
    }
  }
}

TEST_F(Cli, SingleFileOutputsHoldThePageAndItsPictures) {
  CopyShippedData(app.path());
  test::WriteJpeg(work / "a.jpg", 64, 48);
  ASSERT_EQ(Call({"new", Page()}).exit, 0);
  ASSERT_EQ(Call({"import", Page(), work / "a.jpg"}).exit, 0);
  ASSERT_EQ(Call({"set", Page(), "{Catalog编号}", "Q7"}).exit, 0);
  ASSERT_EQ(Call({"set", Page(), "{输出目录}", work / "out"}).exit, 0);
  test::MakeFolder(work / "out");

  const CliRun chm = Call({"output", Page(), "chm"});
  ASSERT_EQ(chm.exit, 0) << chm.err;
  EXPECT_EQ(chm.out, work / "out/Q7/Q7.chm\n");
  const std::string extract =
      "extract_chmLib '" + (work / "out/Q7/Q7.chm") + "' '" + (work / "x") + "' >/dev/null";
  ASSERT_EQ(std::system(extract.c_str()), 0);
  EXPECT_EQ(test::ReadBytes(work / "x/a.jpg"), test::ReadBytes(work / "a.jpg"));
  EXPECT_NE(test::ReadBytes(work / "x/tmpfile.htm").find("<img src=\"a.jpg\""), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(work / "out/Q7/images"));

  const CliRun mht = Call({"output", Page(), "mht"});
  ASSERT_EQ(mht.exit, 0) << mht.err;
  EXPECT_EQ(mht.out, work / "out/Q7/Q7.htm.mht\n");
  EXPECT_FALSE(std::filesystem::exists(work / "out/Q7/Q7.htm"));
  EXPECT_FALSE(std::filesystem::exists(work / "out/Q7/Q7.chm"));  // each output replaces the last
}

TEST_F(Cli, FillSwapAndMove) {
  ASSERT_EQ(Call({"new", Page()}).exit, 0);
  for (const char* name : {"a.jpg", "b.jpg", "c.jpg"}) test::WriteJpeg(work / name, 16, 16);
  ASSERT_EQ(Call({"import", Page(), work / "a.jpg", work / "b.jpg", work / "c.jpg"}).exit, 0);
  EXPECT_EQ(Call({"fill", Page(), "number-prefix", "HX-/100", "--row", "7"}).exit, 0);
  EXPECT_EQ(Call({"fill", Page(), "price", "10"}).exit, 0);
  EXPECT_EQ(Call({"fill", Page(), "price-factor", "1.35"}).exit, 0);
  EXPECT_EQ(Call({"fill", Page(), "name-from-picture"}).exit, 0);
  EXPECT_EQ(Call({"move", Page(), "3", "1"}).exit, 0);
  EXPECT_EQ(Call({"swap", Page(), "2", "3", "--pictures"}).exit, 0);
  EXPECT_EQ(Call({"items", Page()}).out, "1\t" + (work / "c.jpg") + "\tHX-102\tc\t13.50\t\t\t\t\n" +
                                             "2\t" + (work / "b.jpg") + "\t\ta\t13.50\t\t\t\t\n" +
                                             "3\t" + (work / "a.jpg") +
                                             "\tHX-101\tb\t13.50\t\t\t\t\n");
  const CliRun bad = Call({"fill", Page(), "price-factor", "x"});
  EXPECT_EQ(bad.exit, 1);
  EXPECT_EQ(bad.err, "[无效数字] 必须输入有效的数字。\n");
  EXPECT_EQ(Call({"swap", Page(), "1", "9"}).err, "[交换资料] 资料序号不存在\n");
  EXPECT_EQ(Call({"fill", Page(), "frob"}).exit, 2);

  test::WriteLines(work / "b.pgs", {"Catalog_name=b", "{$Files}", "p.pgt"});
  const CliRun found = Call({"search", "hx-10", "--book", work / "b.pgs"});
  EXPECT_EQ(found.out, Page() + "\n");
  EXPECT_EQ(found.err, "[完毕] 搜索完毕，一共搜索了 1 个文件\n");
  EXPECT_EQ(Call({"search", "hx-10", "--case", "--book", work / "b.pgs"}).exit, 1);
}

TEST_F(Cli, DamagedPageLoadsWhatItCanAndSays) {
  test::WriteBytes(Page(),
                   "PGT FILE TYPE 3.0\r\n{Catalog\xB1\xE0\xBA\xC5}=Q\xFF\r\n{$1}\r\n{$PID}=7");
  const CliRun run = Call({"get", Page(), "{Catalog编号}"});
  EXPECT_EQ(run.exit, 0);
  EXPECT_EQ(run.out, "Q\xEF\xBF\xBD\n");
  EXPECT_NE(run.err.find("第2行含有无法识别的字符"), std::string::npos) << run.err;
}

}  // namespace
}  // namespace pagora
