#include "output/MhtWriter.h"

#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "base/AtomicFile.h"
#include "base/Base64.h"
#include "base/Gb18030.h"
#include "base/Paths.h"
#include "base/Strings.h"
#include "base/UserError.h"
#include "platform/Ui.h"

namespace pagora {
namespace {

constexpr std::string_view kDelimiter = "------=_NextPart_000_0000_01C77F8C.1961B050";
constexpr size_t kLineLength = 76;

void Line(std::string& out, std::string_view text) {
  out.append(text);
  out.append("\r\n");
}

// The file's base64 in lines of 76 characters; a CR LF follows every full line, the
// last one too, and an empty file gives one empty line.
void AppendFileLines(std::string_view bytes, std::string& out) {
  if (bytes.empty()) {
    Line(out, "");
    return;
  }
  AppendBase64Lines(bytes, kLineLength, out);
  // 57 bytes make a full line; a file of whole lines gets one more CR LF.
  if (bytes.size() % (kLineLength / 4 * 3) == 0) Line(out, "");
}

// The archive is written as it is made, into a temporary file that replaces the
// target only when complete.
class ArchiveFile {
 public:
  explicit ArchiveFile(const std::string& target) : target_(target) {
    temp_ = FolderOf(target) + "." + FileNameOf(target) + ".tmp-XXXXXX";
    const int fd = mkstemp(temp_.data());
    if (fd < 0 || !(file_ = fdopen(fd, "wb"))) {
      throw UserError("无法写入文件“" + target + "”：" + std::strerror(errno));
    }
  }
  ~ArchiveFile() {
    if (file_) {
      std::fclose(file_);
      unlink(temp_.c_str());
    }
  }
  void Write(std::string& chunk) {
    if (std::fwrite(chunk.data(), 1, chunk.size(), file_) != chunk.size()) Fail(errno);
    chunk.clear();
  }
  void Finish() {
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(fileno(file_), 0666 & ~mask);
    const int rc = std::fclose(file_);
    file_ = nullptr;
    if (rc != 0 || rename(temp_.c_str(), target_.c_str()) != 0) {
      const int error = errno;
      unlink(temp_.c_str());
      Fail(error);
    }
  }

 private:
  [[noreturn]] void Fail(int error) {
    throw UserError("无法写入文件“" + target_ + "”：" + std::strerror(error));
  }
  std::string target_, temp_;
  FILE* file_ = nullptr;
};

std::string ContentTypeOf(const std::string& path) {
  const std::string extension = ToUpperAscii(ExtensionOf(path));
  if (extension == ".JPG") return "Content-Type: image/jpeg";
  if (extension == ".HTM") return "Content-Type: text/html;";
  if (extension == ".GIF") return "Content-Type: image/gif";
  return {};
}

}  // namespace

std::string WriteMht(const MhtRequest& request, Ui& ui) {
  BusyCursor busy(ui);
  // The document's lines joined with CR LF after each; line breaks never occur inside a
  // character of the code page, so this works on the bytes as they are.
  std::string html;
  const std::string raw = ReadWholeFile(request.htmlPath);
  html.reserve(raw.size() + raw.size() / 16);
  size_t start = 0;
  for (size_t i = 0; i < raw.size(); ++i) {
    if (raw[i] != '\r' && raw[i] != '\n') continue;
    html.append(raw, start, i - start);
    html += "\r\n";
    if (raw[i] == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < raw.size()) {
    html.append(raw, start, raw.size() - start);
    html += "\r\n";
  }

  std::string out;
  Line(out, EncodeGb18030("From: <由 Pagora 2007 保存>"));
  Line(out, "Subject: =?gb2312?B?" + Base64(EncodeGb18030(request.number)) + "?=");
  Line(out, "Date: Sun, 15 Apr 2007 18:30:10 +0800");
  Line(out, "MIME-Version: 1.0");
  Line(out, "Content-Type: multipart/related;");
  Line(out, "\ttype=\"text/html\";");
  Line(out, "\tboundary=\"----=_NextPart_000_0000_01C77F8C.1961B050\"");
  Line(out, "X-MimeOLE: Produced By Pagora 2007");
  Line(out, "");
  Line(out, "This is a multi-part message in MIME format.");
  Line(out, "");
  Line(out, kDelimiter);
  Line(out, "Content-Type: text/html;");
  Line(out, request.chinese ? "\tcharset=\"gb2312\"" : "\tcharset=\"iso-8859-1\"");
  Line(out, "Content-Transfer-Encoding: Base64");
  Line(out, std::string("Content-Location: ") + kMhtBase);
  Line(out, "");
  std::string encoded;
  AppendBase64(html, encoded);
  Line(out, encoded);

  const std::string target =
      request.outputPath.empty() ? request.htmlPath + ".mht" : request.outputPath;
  ArchiveFile archive(target);
  archive.Write(out);

  const int count = int(request.files.size());
  for (int i = 0; i < count; ++i) {
    const std::string& path = request.files[size_t(i)];
    ui.ShowProgress("总计文件 " + std::to_string(count) + " 个，当前正在处理第 " +
                        std::to_string(i + 1) + " 个。",
                    50 + (50 * (i + 1)) / count, 100);
    const std::string bytes = ReadWholeFile(path);
    Line(out, "");
    Line(out, kDelimiter);
    if (const std::string type = ContentTypeOf(path); !type.empty()) Line(out, type);
    Line(out, "Content-Transfer-Encoding: base64");
    Line(out, std::string("Content-Location: ") + kMhtBase +
                  (request.outputPath.empty() ? "images/" : "") + EncodeGb18030(FileNameOf(path)));
    Line(out, "");
    AppendFileLines(bytes, out);
    Line(out, "");
    archive.Write(out);
  }
  Line(out, std::string(kDelimiter) + "--");
  archive.Write(out);
  archive.Finish();
  return target;
}

}  // namespace pagora
