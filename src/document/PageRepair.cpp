#include "document/PageRepair.h"

#include <algorithm>

#include "base/Strings.h"
#include "base/UserError.h"
#include "platform/Context.h"

namespace pagora {
namespace {

constexpr size_t kFirstBlockLine = 24;
constexpr std::string_view kRepairedLine = "/*修复的行";
constexpr std::string_view kRebuiltHeaderComment = "/*以下内容均由程序自动生成，一般用户无需修改。";

std::optional<size_t> FirstLineContaining(const Lines& text, std::string_view needle) {
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i].find(needle) != std::string::npos) return i;
  }
  return std::nullopt;
}

// Replaces the header by a new page's and keeps the non-empty lines from block 1 on.
void RebuildHeader(CatalogPage& page, Context& context) {
  const auto first = FirstLineContaining(page.Text(), "{$1}");
  if (!first) return;
  Lines kept;
  for (size_t i = *first; i < page.Text().size(); ++i) {
    if (!page.Text()[i].empty()) kept.push_back(page.Text()[i]);
  }
  Lines text = CreateNewPageText(context.appDir, context.clock).lines;
  text.push_back(std::string(kRebuiltHeaderComment));
  text.push_back(std::string(kDetailLine));
  text.push_back("");
  text.insert(text.end(), kept.begin(), kept.end());
  page.ReplaceText(std::move(text));
}

// Trims the block area and drops what cannot belong to a block.
void CleanBlockArea(Lines& text) {
  for (size_t i = text.size(); i-- > kFirstBlockLine;) {
    std::string line(Trim(text[i]));
    if (line.empty()) {
      text.erase(text.begin() + static_cast<std::ptrdiff_t>(i));
      continue;
    }
    if (line[0] == '$') line.insert(0, "{");
    if (line[0] != '{' && !(line.size() > 1 && line[1] == '$')) {
      text.erase(text.begin() + static_cast<std::ptrdiff_t>(i));
      continue;
    }
    text[i] = std::move(line);
  }
}

void RebuildBlocks(CatalogPage& page) {
  const Lines& text = page.Text();
  Lines blocks;
  int written = 0;
  size_t i = 0;
  while (i < text.size() && BlockNumberOfHeader(text[i]) <= 0) ++i;
  if (i == text.size()) throw UserError("修复失败，没有找到catalog块内容。");
  while (i < text.size()) {
    size_t end = i + 1;
    while (end < text.size() && BlockNumberOfHeader(text[end]) <= 0) ++end;
    if (end > i + 1) {
      const Lines lines(text.begin() + static_cast<std::ptrdiff_t>(i + 1),
                        text.begin() + static_cast<std::ptrdiff_t>(end));
      blocks.push_back(BlockHeader(++written));
      for (int f = 0; f <= kTextFieldCount; ++f) {
        const std::string_view key = FieldKey(static_cast<ItemField>(f));
        blocks.push_back(std::string(key) + "=" + ValueOfKey(lines, key));
      }
      blocks.push_back("{$IMG_EX}= ");
      blocks.push_back("{$NOTE_EX}= ");
    }
    i = end;
  }
  page.EditText([&](Lines& lines) {
    lines.resize(std::min(lines.size(), kFirstBlockLine));
    lines.insert(lines.end(), blocks.begin(), blocks.end());
  });
}

// Removes `count` surplus header lines, one at a time; asks to rebuild the header when
// no line can be spared.
void RemoveHeaderLines(CatalogPage& page, Context& context, size_t count) {
  for (size_t removed = 0; removed < count; ++removed) {
    const Lines& text = page.Text();
    const size_t limit = std::min(text.size(), kFirstBlockLine + 1);
    std::optional<size_t> victim;
    for (size_t i = 0; i < limit && !victim; ++i) {
      if (Trim(text[i]).empty()) victim = i;
    }
    for (size_t i = 0; i < limit && !victim; ++i) {
      if (text[i].find("/*") != std::string::npos) victim = i;
    }
    for (size_t i = 0; i < limit && !victim; ++i) {
      if (!StartsWith(text[i], "{")) victim = i;
    }
    if (!victim) {
      if (context.ui.AskYesNo("重建", "文件头无法修复，是否重建？", MessageIcon::Warning)) {
        RebuildHeader(page, context);
      }
      return;
    }
    page.EraseLines(*victim, *victim + 1);
  }
}

}  // namespace

void RepairPass(CatalogPage& page, Context& context, const ReloadItems& reloadItems) {
  BusyCursor busy(context.ui);
  if (page.Text().size() <= 18) {
    page.ReplaceText(CreateNewPageText(context.appDir, context.clock).lines);
    return;
  }
  const auto p = FirstLineContaining(page.Text(), "{$1}");
  if (!p) {
    RebuildHeader(page, context);
  } else if (*p < kFirstBlockLine) {
    page.InsertLines(1, Lines(kFirstBlockLine - *p, std::string(kRepairedLine)));
  } else if (*p == kFirstBlockLine) {
    page.EditText(CleanBlockArea);
    RebuildBlocks(page);
    reloadItems();
  } else {
    RemoveHeaderLines(page, context, *p - kFirstBlockLine);
  }
}

void RepairPageCommand(CatalogPage& page, Context& context, const ReloadItems& reloadItems) {
  RepairPass(page, context, reloadItems);
  RepairPass(page, context, reloadItems);
  reloadItems();
  context.ui.Inform("修复", "修复结束。");
}

}  // namespace pagora
