#include <gtest/gtest.h>

#include "base/UserError.h"
#include "generate/Templates.h"
#include "support/TestFiles.h"

namespace pagora {
namespace {

TEST(AreaSpec, ParsesNumbersUpToTheFirstEqualsAndKeepsTheRestAsText) {
  const AreaSpec area = ParseAreaSpec("0,0,0,0,2,3,4,5,2,1=a.htm?c=1,2");
  EXPECT_EQ(area.numbers, (std::array<uint32_t, 10>{0, 0, 0, 0, 2, 3, 4, 5, 2, 1}));
  EXPECT_EQ(area.text, "a.htm?c=1,2");
  EXPECT_EQ(FormatAreaSpec(area), "0,0,0,0,2,3,4,5,2,1=a.htm?c=1,2");

  const AreaSpec junk = ParseAreaSpec(" 1x2, 3 ,,7,1,2,3,4,5,6,7,8,9=");
  EXPECT_EQ(junk.numbers, (std::array<uint32_t, 10>{12, 3, 0, 7, 1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(ParseAreaSpec("1,2,3").numbers, (std::array<uint32_t, 10>{}));
  EXPECT_EQ(ParseAreaSpec("").text, "");
  EXPECT_EQ(FormatAreaSpec(DefaultAreaSpec()), "0,0,0,0,6,8,0,0,1,0=");
}

struct TemplateFixture {
  test::TempDir app;
  void Mob(const std::string& file, const Lines& lines) {
    test::WriteLines(app / ("html/" + file), lines);
  }
  TemplateFixture() { test::MakeFolder(app / "html/英文"); }
};

TEST(ItemTable, DefaultPictureAreaSpansSixColumnsAndEightRows) {
  TemplateFixture f;
  f.Mob("默认.mob", {"/ a comment", "", "2,1,2,3,3,1=0,0,0,0,6,8,0,0,1,0=", "2,7,1,1,1,0=seven",
                     "2,1,9,1,1,0=last"});
  const ItemTable table = BuildItemTable(f.app.path(), "默认", "中文");
  EXPECT_EQ(table.pictureArea, "0,0,0,0,6,8,0,0,1,0=");
  EXPECT_EQ(table.descriptionArea, "");
  const std::string cell = "<td>&nbsp;</td>";
  std::string want =
      "<table {table2}><tr><td colspan=6 rowspan=8>{PP图片}</td><td>&nbsp;seven</td>" + cell +
      cell + cell + "</tr>";
  for (int r = 1; r < 8; ++r) want += "<tr>" + cell + cell + cell + cell + "</tr>";
  want += "<tr><td>&nbsp;last</td>";
  for (int c = 1; c < 10; ++c) want += cell;
  want += "</tr></table><br>";
  EXPECT_EQ(table.skeleton, want);
}

TEST(ItemTable, SmallAreasAndNoAreas) {
  TemplateFixture f;
  f.Mob("默认.mob", {"2,1,2,3,3,1=0,0,0,0,1,1,2,0,1,0=", "2,1,2,3,3,2=0,0,0,0,3,1,0,1,0,0={描述}"});
  const ItemTable table = BuildItemTable(f.app.path(), "默认", "中文");
  EXPECT_NE(table.skeleton.find("<tr><td>&nbsp;</td><td>&nbsp;</td><td>{PP图片}</td>"),
            std::string::npos);
  EXPECT_NE(table.skeleton.find("<tr><td colspan=3>{PP描述}</td><td>&nbsp;</td>"),
            std::string::npos);

  f.Mob("默认.mob", {"2,1,1,1,1,0=first"});
  const std::string plain = BuildItemTable(f.app.path(), "默认", "中文").skeleton;
  size_t cells = 0;
  for (size_t at = plain.find("<td>"); at != std::string::npos; at = plain.find("<td>", at + 1))
    ++cells;
  EXPECT_EQ(cells, 90u);
  EXPECT_EQ(plain.find("<table {table2}><tr><td>&nbsp;first</td><td>"), 0u);
}

TEST(HeadFoot, MarkersTakeTheirCellsInAscendingOrder) {
  TemplateFixture f;
  test::WriteLines(f.app / "html/head.htm", {"<h>DSP1Q2W1|DSP1Q2W7|DSP1Q2W10", "DSP1Q2W3</h>"});
  test::WriteLines(f.app / "html/foot.htm", {"DSP1Q2W5|DSP1Q2W50"});
  f.Mob("默认.mob", {"1,1,1,1,1,0=one", "1,2,2,1,1,0=seven", "1,5,2,1,1,0=ten",
                     "3,5,10,1,1,0=fifty", "1,3,1,1,1,0=", "1, 3,1,1,1,0=malformed"});
  const HeadFoot hf = BuildHeadFoot(f.app.path(), "no such template", "中文");
  EXPECT_EQ(hf.head, "<h>one|seven|ten\r\n</h>\r\n");
  EXPECT_EQ(hf.foot, "|fifty\r\n");

  // Marker 1 is a prefix of marker 10: when 10 comes first, its front is taken by cell 1.
  test::WriteLines(f.app / "html/head.htm", {"DSP1Q2W10 DSP1Q2W1"});
  EXPECT_EQ(BuildHeadFoot(f.app.path(), "默认", "中文").head, "one0 DSP1Q2W1\r\n");
}

TEST(HeadFoot, LanguageFolderAndMissingTemplates) {
  TemplateFixture f;
  test::WriteLines(f.app / "html/英文/head.htm", {"EN DSP1Q2W1"});
  test::WriteLines(f.app / "html/英文/foot.htm", {""});
  test::WriteLines(f.app / "html/英文/默认.mob", {"1,1,1,1,1,0=english"});
  EXPECT_EQ(BuildHeadFoot(f.app.path(), "默认", "英文").head, "EN english\r\n");
  for (const char* language : {"中文", "法文"}) {
    try {
      BuildHeadFoot(f.app.path(), "默认", language);
      FAIL() << language;
    } catch (const UserError& error) {
      EXPECT_STREQ(error.what(), "错误，模板不存在。");
    }
  }
  // The template file alone is not enough: its folder needs head and foot files.
  f.Mob("默认.mob", {""});
  EXPECT_THROW(BuildHeadFoot(f.app.path(), "默认", "中文"), UserError);
  EXPECT_NO_THROW(BuildItemTable(f.app.path(), "默认", "中文"));
}

TEST(Templates, ListAndHints) {
  TemplateFixture f;
  for (const char* name : {"简洁列表.mob", "默认.mob", "A.mob", "notes.txt"}) f.Mob(name, {""});
  test::WriteLines(f.app / "html/A.txt", {"line one", "line two"});
  EXPECT_EQ(ListTemplates(f.app.path()), (std::vector<std::string>{"默认", "A", "简洁列表"}));
  EXPECT_EQ(TemplateHint(f.app.path(), "A"), "line one\r\nline two");
  EXPECT_EQ(TemplateHint(f.app.path(), "默认"), "");
  EXPECT_EQ(TemplateFolder("/a/", "中文"), "/a/html/");
  EXPECT_EQ(TemplateFolder("/a/", "英文"), "/a/html/英文/");
}

}  // namespace
}  // namespace pagora
