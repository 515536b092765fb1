#include <gtest/gtest.h>

#include <zip.h>
#include <filesystem>

#include "base/Paths.h"
#include "base/TextFile.h"
#include "base/UserError.h"
#include "generate/GeneratePage.h"
#include "support/TestFiles.h"

namespace pagora {
namespace {

struct NoNumbers final : ItemNumbers {
  int ItemCount() const override { return 0; }
  std::string Value(int, ItemField) const override { return {}; }
  void SetValue(int, ItemField, const std::string&) override {}
};

// A small template set and a page of two items, each with a picture beside the page.
struct GenerateFixture {
  test::TestContext t;
  test::TempDir work;
  CatalogPage page;
  NoNumbers numbers;

  GenerateFixture() {
    const std::string& app = t.context.appDir;
    test::MakeFolder(app + "html");
    test::WriteLines(app + "html/head.htm", {"<html><head>{head}{style}</head><body{body}>",
                                             "<table {table1}><tr><td>DSP1Q2W1</td></tr></table>",
                                             "{客户名称}|{公司名}|{当前日期} {当前时间}|{GUID}"});
    test::WriteLines(app + "html/foot.htm",
                     {"<table {table3}><tr><td>DSP1Q2W5DSP1Q2W50</td></tr></table></body></html>"});
    test::WriteLines(app + "html/默认.mob",
                     {"1,1,1,1,1,0=[{Catalog名称}]", "3,5,10,1,1,0=[{联系人}]",
                      "2,1,2,3,3,1=0,0,0,0,1,1,0,0,1,0=", "2,2,1,1,1,0=[{编号}|{客户名称}]"});
    test::WriteLines(app + "cols1.dat", {"中文内容", "华星贸易", "王丽"});
    test::MakeFolder(work / "pics");
    test::WriteJpeg(work / "pics/a.jpg", 40, 30);
    test::WriteJpeg(work / "pics/b.jpg", 40, 30);
    Lines text = CreateNewPageText(app, t.clock).lines;
    text.insert(text.end(), {"/*c", "{detail}", ""});
    for (int n = 1; n <= 2; ++n) {
      const std::string id = std::to_string(n);
      text.insert(text.end(),
                  {"{$" + id + "}", n == 1 ? "{$IMG}=pics\\a.jpg" : "{$IMG}=pics\\b.jpg",
                   "{$PID}=编号：!:A" + id, "{$PNAME}=", "{$PPRICE}=", "{$PUNIT}=", "{$PWEIGHT}=",
                   "{$PSERIAL}=", "{$PNOTE}=", "{$IMG_EX}= ", "{$NOTE_EX}= "});
    }
    page.ReplaceText(text);
    page.StoreSetting("{Catalog编号}", "Q1");
    page.StoreSetting("{客户名称}", "汉堡公司");
    page.StoreSetting("{输出目录}", work / "out");
    test::MakeFolder(work / "out");
    page.SetPath(work / "p.pgt");
  }

  std::string Generate(PageOutputRequest request, std::string base = "") {
    PageGenerationRequest r;
    r.request = request;
    r.baseFolder = std::move(base);
    return GeneratePage(page, numbers, t.context, r);
  }
  std::string PageDir() const { return work / "out/Q1/"; }
};

std::vector<std::string> ZipNames(const std::string& path) {
  int error = 0;
  zip_t* zip = zip_open(path.c_str(), ZIP_RDONLY, &error);
  std::vector<std::string> names;
  if (!zip) return names;
  for (zip_int64_t i = 0; i < zip_get_num_entries(zip, 0); ++i)
    names.push_back(zip_get_name(zip, zip_uint64_t(i), 0));
  zip_close(zip);
  return names;
}

TEST(GeneratePage, HtmlFolderWithPicturesAndEveryPlaceholderFilled) {
  GenerateFixture f;
  const std::string made = f.Generate(PageOutputRequest::Html);
  EXPECT_EQ(made, f.PageDir() + "Q1.htm");
  const Lines html = ReadTextFileStrict(made);
  ASSERT_EQ(html.size(), 6u);
  const std::string table =
      "style=\"table-layout: fixed;WORD-BREAK: break-all; BORDER-COLLAPSE: collapse\" "
      "cellSpacing=0 "
      "cellPadding=0 width=\"90%\"";
  EXPECT_EQ(html[0], "<html><head><style>tr{height:28px;}</style></head><body>");
  EXPECT_EQ(html[1], "<table " + table +
                         " border=1 borderColor=#000000><tr><td>[新建页面]</td></tr></table>");
  EXPECT_EQ(html[2], "汉堡公司|华星贸易|2026-03-09 08:07:06|" + std::string(30, '0'));
  EXPECT_EQ(html[3].substr(0, 60), "<table " + table.substr(0, 53));
  EXPECT_NE(html[3].find("<td><img src=\"images/a.jpg\" border=0></td><td>&nbsp;[A1|]</td>"),
            std::string::npos);
  EXPECT_NE(html[4].find("<img src=\"images/b.jpg\" border=0>"), std::string::npos);
  EXPECT_EQ(html[5], "<table " + table + "><tr><td>[王丽]</td></tr></table></body></html>");
  EXPECT_EQ(test::ReadBytes(f.PageDir() + "images/a.jpg"), test::ReadBytes(f.work / "pics/a.jpg"));
  EXPECT_TRUE(FileExists(f.PageDir() + "images/b.jpg"));
  EXPECT_EQ(f.t.ui.progressCaptions.front(), "建立模板***");
  EXPECT_EQ(f.t.ui.progressCaptions.back(), "后期处理***");
  EXPECT_FALSE(f.t.ui.progressVisible);
}

TEST(GeneratePage, ProgressStepsAndPositions) {
  GenerateFixture f;
  f.Generate(PageOutputRequest::Html);
  std::vector<std::string> steps;
  for (const std::string& caption : f.t.ui.progressCaptions) {
    if (caption.find("正在复制") == std::string::npos) steps.push_back(caption);  // the copy's own
  }
  const std::vector<std::string> want = {"建立模板***",     "载入公司信息***", "创建页首文件***",
                                         "创建页脚文件***", "创建输出环境***", "编译资料 1/2",
                                         "编译资料 2/2",    "合成目标文件***", "后期处理***"};
  EXPECT_EQ(steps, want);
}

TEST(GeneratePage, ZipHoldsThePageAndPicturesAndCleansUp) {
  GenerateFixture f;
  test::MakeFolder(f.PageDir());
  test::WriteBytes(f.PageDir() + "Q1.exe", "old");
  const std::string made = f.Generate(PageOutputRequest::Zip);
  EXPECT_EQ(made, f.PageDir() + "Q1.zip");
  EXPECT_EQ(ZipNames(made), (std::vector<std::string>{"Q1.htm", "images/a.jpg", "images/b.jpg"}));
  EXPECT_FALSE(std::filesystem::exists(f.PageDir() + "Q1.htm"));
  EXPECT_FALSE(std::filesystem::exists(f.PageDir() + "images"));
  EXPECT_FALSE(std::filesystem::exists(f.PageDir() + "Q1.exe"));
  // A second run replaces the archive.
  EXPECT_EQ(f.Generate(PageOutputRequest::Zip), made);
  EXPECT_EQ(ZipNames(made).size(), 3u);
}

TEST(GeneratePage, PreviewRefersToAbsolutePathsAndCopiesNothing) {
  GenerateFixture f;
  const std::string made = f.Generate(PageOutputRequest::Preview);
  EXPECT_EQ(made, f.t.context.appDir + "tmp/tmpfile.htm");
  EXPECT_EQ(f.t.shell.opened, (std::vector<std::string>{made}));
  const Lines html = ReadTextFileStrict(made);
  EXPECT_NE(html[3].find("<img src=\"" + (f.work / "pics/a.jpg") + "\""), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(f.PageDir()));
}

TEST(GeneratePage, BookPagesGoToTheBaseFolderUnderAFreshName) {
  GenerateFixture f;
  const std::string base = f.work / "book";
  const std::string made = f.Generate(PageOutputRequest::Html, base);
  EXPECT_EQ(made, base + "/images/{00000000-0000-0000-0000-000000000002}.htm");
  EXPECT_TRUE(FileExists(base + "/images/a.jpg"));
  EXPECT_NE(ReadTextFileStrict(made)[3].find("<img src=\"a.jpg\""), std::string::npos);
}

TEST(GeneratePage, MissingOutputFolderAsksAndFallsBackToAppDir) {
  GenerateFixture f;
  f.page.StoreSetting("{输出目录}", "relative\\place");
  f.t.ui.folders.push_back(std::nullopt);
  const std::string made = f.Generate(PageOutputRequest::Html);
  EXPECT_EQ(made, f.t.context.appDir + "输出/Q1/Q1.htm");
  f.t.ui.folders.push_back(f.work / "chosen");
  test::MakeFolder(f.work / "chosen");
  EXPECT_EQ(f.Generate(PageOutputRequest::Html), f.work / "chosen/Q1/Q1.htm");
}

TEST(GeneratePage, BorderModesAndRowHeights) {
  struct Case {
    std::string border, height;
    bool head, items, foot;
    std::string style;
  };
  const Case cases[] = {
      {"7", "40", true, true, true, "<style>tr{height:40px;}</style>"},
      {" ", "0", false, true, false, ""},
      {"0", "abc", false, false, false, "<style>tr{height:28px;}</style>"},
  };
  for (const Case& c : cases) {
    GenerateFixture f;
    f.page.StoreSetting("{显示框线}", c.border);
    f.page.StoreSetting("{行高}", c.height);
    f.page.StoreSetting("{框线颜色}", "#336699");
    const Lines html = ReadTextFileStrict(f.Generate(PageOutputRequest::Html));
    const std::string border = " border=1 borderColor=#336699";
    EXPECT_EQ(html[1].find(border) != std::string::npos, c.head) << c.border;
    EXPECT_EQ(html[3].find(border) != std::string::npos, c.items) << c.border;
    EXPECT_EQ(html[5].find(border) != std::string::npos, c.foot) << c.border;
    EXPECT_EQ(html[0], "<html><head>" + c.style + "</head><body>");
  }
  GenerateFixture bad;
  bad.page.StoreSetting("{显示框线}", "x");
  EXPECT_THROW(bad.Generate(PageOutputRequest::Html), UserError);
  EXPECT_FALSE(bad.t.ui.progressVisible);
}

TEST(GeneratePage, CustomDefinitionsComeFirstAndPagesWithoutItemsWork) {
  GenerateFixture f;
  test::WriteLines(f.t.context.appDir + "cols3.dat",
                   {"自定义内容，格式：{name}=text", "{公司名}=自定义公司"});
  f.page.EditText([](Lines& text) { text.resize(21); });
  f.page.StoreSetting("{Catalog编号}", "Q1");
  f.page.StoreSetting("{输出目录}", f.work / "out");
  const Lines html = ReadTextFileStrict(f.Generate(PageOutputRequest::Html));
  ASSERT_EQ(html.size(), 4u);
  EXPECT_EQ(html[2].substr(0, html[2].find("|20")), "汉堡公司|自定义公司");
}

TEST(GeneratePage, RefusalsLeaveNothingBehind) {
  GenerateFixture f;
  f.page.StoreSetting("{Catalog编号}", "../escape");
  EXPECT_EQ(f.Generate(PageOutputRequest::Html), "");
  EXPECT_EQ(f.t.ui.messages, (std::vector<std::string>{"[错误] 无效的catalog编号，输出终止。"}));
  EXPECT_FALSE(std::filesystem::exists(f.work / "escape"));
  EXPECT_TRUE(f.t.ui.progressCaptions.empty());

  GenerateFixture mht;
  EXPECT_THROW(mht.Generate(PageOutputRequest::Mht), UserError);
}

TEST(GeneratePage, ExeNeedsTheArchiverAndChecksItsWork) {
  GenerateFixture f;
  EXPECT_EQ(f.Generate(PageOutputRequest::Exe), "");
  EXPECT_EQ(
      f.t.ui.messages.back(),
      "[自解压文件] "
      "没有找到RAR压缩程序（rar），无法生成自解压文件（EXE）。请安装rar，或改用其他输出方式。");

  f.t.shell.programs["rar"] = "/opt/rar/rar";
  EXPECT_EQ(f.Generate(PageOutputRequest::Exe), "");  // the archiver made nothing
  const std::vector<std::string> run = f.t.shell.runs.back();
  EXPECT_EQ(run,
            (std::vector<std::string>{"/opt/rar/rar", "a", "-z" + f.t.context.appDir + "rarsfx.s",
                                      "-sfx", "-r", "-df", "-k", "-s", "-ep1", "-cfg-",
                                      f.PageDir() + "Q1.exe", f.PageDir() + "*"}));
  EXPECT_EQ(f.t.ui.messages.back(), "[自解压文件] RAR压缩程序没有生成自解压文件（退出代码 0）。");
  EXPECT_TRUE(FileExists(f.PageDir() + "catalog2.htm"));
}

}  // namespace
}  // namespace pagora
