#include "editor/CellText.h"

#include "base/Strings.h"

namespace pagora {
namespace {

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
  std::string out;
  size_t start = 0;
  for (size_t at = text.find(from); at != std::string_view::npos; at = text.find(from, start)) {
    out.append(text.substr(start, at - start));
    out.append(to);
    start = at + from.size();
  }
  out.append(text.substr(start));
  return out;
}

std::string WithoutLineBreaks(std::string_view text) {
  std::string out;
  for (const char c : text) {
    if (c != '\r' && c != '\n') out += c;
  }
  return out;
}

// Position of `needle` in `text`, letter case ignored, from `from` on.
size_t FindIgnoringCase(std::string_view text, std::string_view needle, size_t from = 0) {
  for (size_t i = from; i + needle.size() <= text.size(); ++i) {
    if (EqualsIgnoreCase(text.substr(i, needle.size()), needle)) return i;
  }
  return std::string_view::npos;
}

}  // namespace

std::string DescriptionForEditor(std::string_view stored) {
  return ReplaceAll(stored, "<br>", "\r\n");
}

std::string DescriptionFromEditor(std::string_view edited) {
  std::string out;
  for (size_t i = 0; i < edited.size(); ++i) {
    if (edited[i] == '\r') {
      out += "<br>";
    } else if (edited[i] == '\n') {
      if (i == 0 || edited[i - 1] != '\r') out += "<br>";  // a line fed without CR still breaks
    } else {
      out += edited[i];
    }
  }
  return out;
}

std::string ClipboardTextFromCell(std::string_view selection) {
  return ReplaceAll(selection, "<br>", "\r\n");
}

std::string CellTextFromClipboard(std::string_view text) {
  std::string out = ReplaceAll(text, "\r\n", "<br>");
  out = ReplaceAll(out, "\r", "<br>");
  return ReplaceAll(out, "\n", "<br>");
}

std::string CellTextFromHtml(std::string_view html) {
  constexpr std::string_view kStart = "<!--StartFragment-->", kEnd = "<!--EndFragment-->";
  const size_t start = html.find(kStart);
  const size_t end = start == std::string_view::npos ? start : html.find(kEnd, start);
  if (start != std::string_view::npos && end != std::string_view::npos) {
    return WithoutLineBreaks(html.substr(start + kStart.size(), end - start - kStart.size()));
  }
  const size_t body = FindIgnoringCase(html, "<body");
  if (body != std::string_view::npos) {
    const size_t open = html.find('>', body);
    const size_t close = FindIgnoringCase(html, "</body", open);
    if (open != std::string_view::npos) {
      return WithoutLineBreaks(html.substr(
          open + 1, (close == std::string_view::npos ? html.size() : close) - open - 1));
    }
  }
  return WithoutLineBreaks(html);
}

}  // namespace pagora
