#include <gtest/gtest.h>

#include "editor/CellText.h"

namespace pagora {
namespace {

TEST(CellText, EditorsAndClipboardKeepLineBreaksAsBr) {
  EXPECT_EQ(DescriptionForEditor("a<br>b"), "a\r\nb");
  EXPECT_EQ(DescriptionFromEditor("a\r\nb"), "a<br>b");
  EXPECT_EQ(DescriptionFromEditor("a\nb\rc"), "a<br>b<br>c");
  EXPECT_EQ(ClipboardTextFromCell("a<br>b"), "a\r\nb");
  const std::pair<const char*, const char*> pasted[] = {{"x\r\ny", "x<br>y"},
                                                        {"x\ry", "x<br>y"},
                                                        {"x\ny", "x<br>y"},
                                                        {"one", "one"},
                                                        {"a\r\n\r\nb", "a<br><br>b"}};
  for (const auto& [text, cell] : pasted) EXPECT_EQ(CellTextFromClipboard(text), cell) << text;
}

TEST(CellText, WebFragments) {
  const std::pair<const char*, const char*> cases[] = {
      {"Version:0.9\r\nStartHTML:0\r\n<html><body>\r\n<!--StartFragment--><b>Red</"
       "b><!--EndFragment-->\r\n</body></html>",
       "<b>Red</b>"},
      {"<meta charset='utf-8'><html><BODY class=x>\n<i>茶</i>\n</BODY></html>", "<i>茶</i>"},
      {"<span>plain\r\nfragment</span>", "<span>plainfragment</span>"},
      {"<!--StartFragment-->without end", "<!--StartFragment-->without end"},  // one marker: all
  };
  for (const auto& [html, cell] : cases) EXPECT_EQ(CellTextFromHtml(html), cell) << html;
}

}  // namespace
}  // namespace pagora
