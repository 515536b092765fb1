#pragma once

#include <map>
#include <string>
#include <vector>

#include "base/Clock.h"
#include "base/Image.h"
#include "platform/Context.h"
#include "support/ScriptedUi.h"

namespace pagora::test {

// A fresh folder under the system's temporary folder, removed with its contents.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  // The folder with a trailing "/".
  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + name; }

 private:
  std::string path_;
};

class FixedClock final : public Clock {
 public:
  std::tm Now() const override;  // 2026-03-09 08:07:06
};

class SequenceIds final : public IdSource {
 public:
  std::string NewGuid() override;

 private:
  int next_ = 1;
};

// A Shell that starts nothing: it records what it was asked to open and run, finds
// only the programs it is given, and copies files for real.
class RecordingShell final : public Shell {
 public:
  std::vector<std::string> opened;
  std::vector<std::vector<std::string>> runs;     // program, then its arguments
  std::vector<std::vector<std::string>> started;  // programs started without waiting
  std::map<std::string, std::string> programs;    // name -> path
  int exitStatus = 0;

  bool OpenPath(const std::string& path) override;
  std::string FindProgram(const std::string& name) override;
  int RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                 const std::string& workingFolder) override;
  bool StartProgram(const std::string& program, const std::vector<std::string>& arguments) override;
  bool CopyFiles(const std::vector<std::string>& files, const std::string& folder, Ui& ui) override;
};

// Everything a core operation needs, with a scripted Ui and an AppDir of its own.
struct TestContext {
  TempDir appDirFolder;
  ScriptedUi ui;
  FixedClock clock;
  SequenceIds ids;
  RecordingShell shell;
  Context context{ui, clock, ids, appDirFolder.path(), shell};
};

void WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadBytes(const std::string& path);
// Writes UTF-8 lines to a file in the code page with CR LF.
void WriteLines(const std::string& path, const std::vector<std::string>& lines);
void MakeFolder(const std::string& path);

// A picture with a colour gradient, so that scaling has something to average.
RgbImage GradientImage(int width, int height);
void WriteJpeg(const std::string& path, int width, int height);
void WriteGif(const std::string& path, int width, int height);
// An uncompressed 24-bit bottom-up bitmap.
void WriteBmp24(const std::string& path, const RgbImage& image);

}  // namespace pagora::test
