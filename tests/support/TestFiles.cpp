#include "support/TestFiles.h"

#include <gif_lib.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "base/ImageCodecs.h"
#include "base/TextFile.h"
#include "platform/LinuxShell.h"

namespace pagora::test {

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "pagora-test-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  path_ = pattern + "/";
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::tm FixedClock::Now() const {
  std::tm t{};
  t.tm_year = 2026 - 1900;
  t.tm_mon = 2;
  t.tm_mday = 9;
  t.tm_hour = 8;
  t.tm_min = 7;
  t.tm_sec = 6;
  return t;
}

std::string SequenceIds::NewGuid() {
  char text[40];
  std::snprintf(text, sizeof text, "{00000000-0000-0000-0000-%012d}", next_++);
  return text;
}

bool RecordingShell::OpenPath(const std::string& path) {
  opened.push_back(path);
  return true;
}

std::string RecordingShell::FindProgram(const std::string& name) {
  const auto found = programs.find(name);
  return found == programs.end() ? std::string() : found->second;
}

int RecordingShell::RunProgram(const std::string& program,
                               const std::vector<std::string>& arguments, const std::string&) {
  runs.push_back({program});
  runs.back().insert(runs.back().end(), arguments.begin(), arguments.end());
  return exitStatus;
}

bool RecordingShell::StartProgram(const std::string& program,
                                  const std::vector<std::string>& arguments) {
  started.push_back({program});
  started.back().insert(started.back().end(), arguments.begin(), arguments.end());
  return true;
}

bool RecordingShell::CopyFiles(const std::vector<std::string>& files, const std::string& folder,
                               Ui& ui) {
  return CopyFilesAsking(files, folder, ui);
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
  if (!out) throw std::runtime_error("cannot write " + path);
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteLines(const std::string& path, const std::vector<std::string>& lines) {
  WriteBytes(path, EncodeTextLines(lines));
}

void MakeFolder(const std::string& path) {
  std::filesystem::create_directories(path);
}

RgbImage GradientImage(int width, int height) {
  RgbImage image = RgbImage::Blank(width, height);
  for (int y = 0; y < height; ++y) {
    uint8_t* row = image.Row(y);
    for (int x = 0; x < width; ++x) {
      row[x * 3] = uint8_t(x * 255 / std::max(1, width - 1));
      row[x * 3 + 1] = uint8_t(y * 255 / std::max(1, height - 1));
      row[x * 3 + 2] = 128;
    }
  }
  return image;
}

void WriteJpeg(const std::string& path, int width, int height) {
  WriteBytes(path, EncodeJpeg(GradientImage(width, height), 85));
}

void WriteGif(const std::string& path, int width, int height) {
  int error = 0;
  GifFileType* gif = EGifOpenFileName(path.c_str(), false, &error);
  if (!gif) throw std::runtime_error("cannot write gif");
  GifColorType colours[4] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}};
  ColorMapObject* map = GifMakeMapObject(4, colours);
  EGifPutScreenDesc(gif, width, height, 2, 0, map);
  EGifPutImageDesc(gif, 0, 0, width, height, false, nullptr);
  std::vector<GifPixelType> row(static_cast<size_t>(width));
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) row[size_t(x)] = GifPixelType((x * 4) / width);
    EGifPutLine(gif, row.data(), width);
  }
  EGifCloseFile(gif, &error);
  GifFreeMapObject(map);
}

void WriteBmp24(const std::string& path, const RgbImage& image) {
  const uint32_t stride = (uint32_t(image.width) * 3 + 3) & ~3u;
  const uint32_t dataSize = stride * uint32_t(image.height);
  std::string b(54, '\0');
  auto put16 = [&](size_t at, uint32_t v) {
    b[at] = char(v);
    b[at + 1] = char(v >> 8);
  };
  auto put32 = [&](size_t at, uint32_t v) {
    put16(at, v & 0xFFFF);
    put16(at + 2, v >> 16);
  };
  b[0] = 'B';
  b[1] = 'M';
  put32(2, 54 + dataSize);
  put32(10, 54);
  put32(14, 40);
  put32(18, uint32_t(image.width));
  put32(22, uint32_t(image.height));
  put16(26, 1);
  put16(28, 24);
  put32(34, dataSize);
  for (int y = image.height - 1; y >= 0; --y) {
    const uint8_t* row = image.Row(y);
    std::string line(stride, '\0');
    for (int x = 0; x < image.width; ++x) {
      line[size_t(x) * 3] = char(row[x * 3 + 2]);
      line[size_t(x) * 3 + 1] = char(row[x * 3 + 1]);
      line[size_t(x) * 3 + 2] = char(row[x * 3]);
    }
    b += line;
  }
  WriteBytes(path, b);
}

}  // namespace pagora::test
