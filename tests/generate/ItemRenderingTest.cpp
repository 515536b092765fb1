#include <gtest/gtest.h>

#include "base/ImageCodecs.h"
#include "generate/Effects.h"
#include "generate/ItemRendering.h"
#include "support/TestFiles.h"

namespace pagora {
namespace {

struct RenderFixture {
  test::TempDir app, pageDir;
  CatalogPage page;
  CopyList copies;

  RenderFixture() {
    Lines text(24, "{x}=1");
    text.insert(text.end(), {"{$1}", "{$IMG}=img\\a.jpg", "{$PID}=编号：!:A001", "{$PNAME}=茶杯",
                             "{$PPRICE}=单价：!:12.50", "{$PUNIT}=", "{$PWEIGHT}=", "{$PSERIAL}=",
                             "{$PNOTE}=描述：!:白瓷<br>礼盒", "{$IMG_EX}= ", "{$NOTE_EX}= ", "{$2}",
                             "{$IMG}=", "{$PID}=B"});
    page.ReplaceText(text);
    page.SetPath(pageDir / "p.pgt");
    test::MakeFolder(pageDir / "img");
    test::WriteBytes(pageDir / "img/a.jpg", "x");
  }
  std::string Render(int n, std::string_view name, PathStyle style = {},
                     std::string pictureArea = "", std::string descriptionArea = "") {
    ItemTable table{"", std::move(pictureArea), std::move(descriptionArea)};
    ItemRenderer renderer(page, app.path(), style, table, copies);
    return renderer.RenderItemPlaceholder(n, name);
  }
};

TEST(ItemRendering, FieldsLabelsAndNumbers) {
  RenderFixture f;
  const std::pair<std::string_view, std::string> cases[] = {{"{编号}", "A001"},
                                                            {"{$编号}", "编号："},
                                                            {"{名称}", "茶杯"},
                                                            {"{$名称}", ""},
                                                            {"{$PNAME}", ""},
                                                            {"{$PID}", "编号："},
                                                            {"{序号}", "1"},
                                                            {"{单价}", "12.50"},
                                                            {"{客户名称}", ""},
                                                            {"{描述}", "白瓷<br>礼盒"},
                                                            {"{PP描述}", "白瓷<br>礼盒"}};
  for (const auto& [name, expected] : cases) EXPECT_EQ(f.Render(1, name), expected) << name;
  EXPECT_EQ(f.Render(3, "{序号}"), "3");
  EXPECT_EQ(f.Render(3, "{编号}"), "");  // no block 3
  EXPECT_EQ(f.Render(2, "{PP图片}"), "");
  EXPECT_TRUE(f.copies.empty());
}

TEST(ItemRendering, DescriptionAreaNamesItsPlaceholder) {
  RenderFixture f;
  EXPECT_EQ(f.Render(1, "{PP描述}", {}, "", "0,0,0,0,1,1,0,0,0,0={$描述}"), "描述：");
  EXPECT_EQ(f.Render(1, "{PP描述}", {}, "", "0,0,0,0,1,1,0,0,0,0={PP描述}"), "白瓷<br>礼盒");
  EXPECT_EQ(f.Render(1, "{PP描述}", {}, "", "0,0,0,0,1,1,0,0,0,0=plain words"), "");
  EXPECT_EQ(f.Render(1, "{PP描述}", {}, "", "0,0,0,0,1,1,0,0,0,0={序号}"), "");
  EXPECT_EQ(f.Render(1, "{PP描述}", {}, "", "0,0,0,0,1,1,0,0,0,0={PP图片}"),
            "<img src=\"images/a.jpg\" border=0 style=\"float:left;\">");
}

TEST(ItemRendering, PictureHtmlByOutputAndArea) {
  RenderFixture f;
  const std::string full = f.pageDir / "img/a.jpg";
  struct Case {
    PathStyle style;
    std::string area, expected;
  };
  const Case cases[] = {
      {{}, "", "<img src=\"images/a.jpg\" border=0 style=\"float:left;\">"},
      {{true, false}, "0,0,0,0,1,1,0,0,1,0=", "<img src=\"" + full + "\" border=0>"},
      {{false, true},
       "0,0,0,0,1,1,0,0,2,0=",
       "<img src=\"a.jpg\" border=0 style=\"float:right;\">"},
      {{},
       "200,0,0,0,1,1,0,0,0,0=",
       "<img src=\"images/a.jpg\" border=0 width=200 style=\"float:left;\">"},
      {{},
       "0,90,0,0,1,1,0,0,1,0=x.htm",
       "<a href=\"x.htm\" target=\"_blank\"><img src=\"images/a.jpg\" border=0 height=90></a>"},
      {{},
       "0,0,0,0,1,1,0,0,1,1=x.htm",
       "<a href=\"x.htm\"><img src=\"images/a.jpg\" border=0></a>"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(f.Render(1, "{PP图片}", c.style, c.area), c.expected) << c.area;
  EXPECT_EQ(f.copies, CopyList(std::size(cases), full));
}

TEST(ItemRendering, SizeLimitsWriteTheWidthThatFits) {
  RenderFixture f;
  test::WriteJpeg(f.pageDir / "img/a.jpg", 400, 300);
  const std::pair<std::string, std::string> cases[] = {
      {"0,0,200,0,1,1,0,0,1,0=", " width=200>"},    // too wide
      {"0,0,0,150,1,1,0,0,1,0=", " width=200>"},    // too tall: the width keeps the proportions
      {"0,0,300,100,1,1,0,0,1,0=", " width=133>"},  // the tighter limit wins
      {"0,0,500,500,1,1,0,0,1,0=", " border=0>"},   // small enough
      {"90,0,200,0,1,1,0,0,1,0=", " width=90>"},    // an explicit width stands
  };
  for (const auto& [area, ending] : cases) {
    const std::string html = f.Render(1, "{PP图片}", {}, area);
    EXPECT_EQ(html.substr(html.size() - ending.size()), ending) << area;
  }
  test::WriteGif(f.pageDir / "img/g.gif", 30, 20);
  test::WriteBmp24(f.pageDir / "img/b.bmp", test::GradientImage(7, 5));
  EXPECT_EQ(ReadPictureSize(f.pageDir / "img/g.gif")->width, 30);
  EXPECT_EQ(ReadPictureSize(f.pageDir / "img/b.bmp")->height, 5);
  EXPECT_EQ(ReadPictureSize(f.pageDir / "img/a.jpg")->height, 300);
  test::WriteBytes(f.pageDir / "img/x.jpg", "\xFF\xD8\xFF");
  EXPECT_FALSE(ReadPictureSize(f.pageDir / "img/x.jpg"));
}

TEST(ItemRendering, RelativePathPrefersThePageFolder) {
  RenderFixture f;
  test::MakeFolder(f.app / "img");
  test::WriteBytes(f.app / "img/a.jpg", "x");
  test::WriteBytes(f.app / "img/b.jpg", "x");
  EXPECT_EQ(ResolvePicturePath(f.page, f.app.path(), "img\\a.jpg"), f.pageDir / "img/a.jpg");
  EXPECT_EQ(ResolvePicturePath(f.page, f.app.path(), "img\\b.jpg"), f.app / "img/b.jpg");
}

TEST(Effects, ValuesAndSnippets) {
  RenderFixture f;
  test::MakeFolder(f.app / "css/fade");
  test::WriteLines(f.app / "css/fade/fadehead.txt", {"<style>", "x</style>"});
  f.page.EditText([](Lines& text) {
    text.insert(text.begin() + 5,
                {"{视觉效果}=fade", "{背景音乐}=mid\\a.mid", "{背景图片}=gif\\bg.gif"});
  });
  CopyList copies;
  const EffectValues values = BuildEffectValues(f.page, f.app.path(), {}, copies);
  EXPECT_EQ(values.head, "<style>\r\nx</style>");
  EXPECT_EQ(values.bodySnippet, "");
  EXPECT_EQ(values.bodyAttribute, " background=\"images/bg.gif\"");
  EXPECT_EQ(values.musicTag, "<bgsound src=\"images/a.mid\" loop=\"-1\">");
  EXPECT_EQ(copies, (CopyList{f.app / "gif/bg.gif", f.app / "mid/a.mid"}));
  EXPECT_EQ(EffectHeadSnippet(f.app.path(), "../css"), "");
  EXPECT_EQ(EffectHeadSnippet(f.app.path(), ""), "");
}

}  // namespace
}  // namespace pagora
