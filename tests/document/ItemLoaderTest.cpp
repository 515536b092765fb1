#include <gtest/gtest.h>

#include "base/FileExistenceCache.h"
#include "document/CatalogPage.h"
#include "document/ItemLoader.h"
#include "support/TestFiles.h"

namespace pagora {
namespace {

Lines Header() {
  return Lines(24, "{x}=1");
}

TEST(BlockHeader, TextWithoutTwoFirstAndLastCharacterIsTheNumber) {
  const std::pair<const char*, int> cases[] = {
      {"{$1}", 1},   {"{$12}", 12},      {"ab12c", 12}, {"编号7号", 7},  {"{$01}", 1},
      {"{$1", 0},    {"{$}", 0},         {"{$-1}", 0},  {"{$0}", 0},    {"{$PID}=1", 0},
      {"{$1} ", 0},  {"{$9999999999}", 0}, {"", 0},     {"" "5}", 5}};
  for (const auto& [line, number] : cases) EXPECT_EQ(BlockNumberOfHeader(line), number) << line;
}

TEST(ItemLoader, SplitsLabelsAndValuesAndCutsLongTexts) {
  test::TestContext t;
  CatalogPage page;
  Lines text = Header();
  text.insert(text.end(),
              {"{$1}", "{$IMG}=", "{$PID}=编号：!:A001", "{$PNAME}=B!:x!:y", "{$PPRICE}=12.5",
               "{$PUNIT}=", "{$PWEIGHT}=", "{$PSERIAL}=" + std::string(200, 's'),
               "{$PNOTE}=" + std::string(600, 'd'), "{$IMG_EX}= ", "{$NOTE_EX}= "});
  page.ReplaceText(text);
  std::vector<ProductItem> items(1);
  FileExistenceCache files;
  LoadItems(page, items, t.context.appDir, t.ui, files);
  ASSERT_EQ(items.size(), 1u);
  const ProductItem& item = items[0];
  EXPECT_EQ(item.Field(ItemField::Number).label, "编号：");
  EXPECT_EQ(item.Field(ItemField::Number).value, "A001");
  EXPECT_EQ(item.Field(ItemField::Name).label, "B");
  EXPECT_EQ(item.Field(ItemField::Name).value, "x!:y");
  EXPECT_EQ(item.Field(ItemField::Price).label, "单价：");
  EXPECT_EQ(item.Field(ItemField::Price).value, "12.5");
  EXPECT_EQ(item.Field(ItemField::Spec).value, std::string(128, 's'));
  EXPECT_EQ(item.Field(ItemField::Desc).value, std::string(512, 'd'));
  EXPECT_FALSE(t.ui.progressVisible);
  EXPECT_EQ(t.ui.progressCaptions.back(), "总计：35行，正在处理：35行。");
}

TEST(ItemLoader, LoadsNineLineBlocksTruncatedBlocksAndResolvesPictures) {
  test::TestContext t;
  test::TempDir pageDir;
  test::MakeFolder(pageDir / "images");
  test::WriteBytes(pageDir / "images/a.jpg", "x");
  CatalogPage page;
  page.SetPath(pageDir / "p.pgt");
  Lines text = Header();
  for (int n = 1; n <= 2; ++n) {
    text.insert(text.end(),
                {BlockHeader(n), n == 1 ? "{$IMG}=images\\a.jpg" : "{$IMG}=images\\b.jpg",
                 "{$PID}=" + std::to_string(n), "{$PNAME}=", "{$PPRICE}=", "{$PUNIT}=",
                 "{$PWEIGHT}=", "{$PSERIAL}=", "{$PNOTE}="});
  }
  text.insert(text.end(), {"{$3}", "{$IMG}=", "{$PID}=3"});  // cut short by the end
  page.ReplaceText(text);
  std::vector<ProductItem> items(1);
  FileExistenceCache files;
  const std::vector<size_t> changed = LoadItems(page, items, t.context.appDir, t.ui, files);
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(items[1].Field(ItemField::Number).value, "2");
  EXPECT_EQ(items[2].Field(ItemField::Number).value, "3");
  EXPECT_EQ(items[2].Field(ItemField::Desc).value, "");
  EXPECT_EQ(items[0].picture, pageDir / "images/a.jpg");
  EXPECT_EQ(items[0].storedPicture, "images\\a.jpg");
  EXPECT_EQ(items[1].picture, t.context.appDir + "images/b.jpg");
  EXPECT_EQ(changed, (std::vector<size_t>{0, 1}));

  // Loading again changes no picture, so nothing would be decoded again.
  EXPECT_TRUE(LoadItems(page, items, t.context.appDir, t.ui, files).empty());
}

}  // namespace
}  // namespace pagora
